// Times the editor's registration, deletion and list refresh on full-size routes, each beside
// the literal way of doing the same: every statement committed on its own, one UPDATE per row,
// pending events processed after each row. Prints a table; run with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "store/adodc.h"
#include "store/connection.h"
#include "store/route_file.h"
#include "store/sql_quote.h"
#include "store/step.h"
#include "support/median.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using bench::median;

constexpr int kRuns = 30;

// Answers every question with OK and reports anything else, which would spoil a timing.
class BenchDialogs : public platform::Dialogs
{
public:
    platform::MsgResult MsgBox(QWidget*, const QString& text, platform::MsgButtons buttons) override
    {
        if (buttons == platform::MsgButtons::OkOnly)
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return platform::MsgResult::Ok;
    }
};

QString photoOf(const QString& folder, int n)
{
    return QStringLiteral("%1/photos/step_%2.jpg").arg(folder).arg(n, 3, 10, QLatin1Char('0'));
}

// A route file of `steps` steps. `indexed`: made by the store, as the program makes a new file;
// otherwise made by hand with the bare table.
void makeRouteFile(const QString& path, const QString& folder, int steps, bool indexed)
{
    const QString table = QStringLiteral("プログラム");
    if (indexed) {
        store::createRouteFile(path, table);
    } else {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec(
            QStringLiteral("CREATE TABLE プログラム (順序 TEXT, 写真 TEXT, 方向 TEXT)"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("make"));
    }
    store::Connection cn;
    cn.Open(m_lane::ConnectString(path), m_lane::ROUTE_TABLE);
    store::Transaction fill(cn);
    for (int i = 1; i <= steps; ++i)
        cn.Execute(QStringLiteral("INSERT INTO プログラム VALUES ( '%1','%2','↑' );")
                       .arg(store::StepKey(i), VB4_FUNC::SQL_QUOTE(photoOf(folder, i))));
    fill.commit();
}

void useRoute(const QString& source)
{
    QFile::remove(m_lane::DB_PATH);
    QFile::copy(source, m_lane::DB_PATH);
}

// Median milliseconds of `timed` over kRuns runs, each after `setup`.
double measure(const std::function<void()>& setup, const std::function<void()>& timed)
{
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        setup();
        QElapsedTimer clock;
        clock.start();
        timed();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

QStringList readColumn(store::Connection& cn, const QString& sql, const QString& column)
{
    QStringList values;
    store::Recordset rs = cn.Query(sql);
    for (; !rs.eof(); rs.moveNext())
        values << rs.field(column);
    return values;
}

// The registration statement by statement, each committed by itself. The renumbering's rows are
// read first: SQLite commits nothing on a connection while one of its reads is still open.
void literalRegistration(frm_lane_make& w, const QString& photo, const QString& after)
{
    const QString t = m_lane::ROUTE_TABLE;
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    readColumn(cn, "SELECT * FROM " + t + " WHERE 写真 = '" + VB4_FUNC::SQL_QUOTE(photo) + "' ",
               QStringLiteral("順序"));
    cn.Execute("INSERT INTO " + t + " VALUES ( '" + after + "_0','" + VB4_FUNC::SQL_QUOTE(photo) +
               "','→' );");
    QString number;
    long long i = 0;
    for (const QString& p :
         readColumn(cn, "SELECT * FROM " + t + " ORDER BY 順序", QStringLiteral("写真"))) {
        const QString key = store::StepKey(++i);
        if (p == photo)
            number = key;
        cn.Execute("UPDATE " + t + " SET 順序 = '" + key + "' WHERE 写真 = '" +
                   VB4_FUNC::SQL_QUOTE(p) + "'");
        QCoreApplication::processEvents();
    }
    cn.Close();
    w.LANE_DSP(number);
}

void literalDeletion(frm_lane_make& w, const QString& order)
{
    const QString t = m_lane::ROUTE_TABLE;
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    cn.Execute("DELETE FROM " + t + " WHERE 順序 = '" + order + "'");
    long long i = 0;
    for (const QString& old :
         readColumn(cn, "SELECT 順序 FROM " + t + " ORDER BY 順序", QStringLiteral("順序"))) {
        cn.Execute("UPDATE " + t + " SET 順序 = '" + store::StepKey(++i) + "' WHERE 順序 = '" +
                   old + "'");
        QCoreApplication::processEvents();
    }
    cn.Close();
    w.LANE_DSP(order);
}

// The list refresh written out step by step: each count by reading its rows, a fresh snapshot
// of the list, widths, page-wise positioning.
void literalListRefresh(frm_lane_make& w, const QString& order)
{
    const QString t = m_lane::ROUTE_TABLE;
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    const int N = readColumn(cn, "SELECT * FROM " + t, QStringLiteral("順序")).size();
    const int B = readColumn(cn, "SELECT * FROM " + t + " WHERE 順序 < '" + order + "'",
                             QStringLiteral("順序"))
                      .size();
    cn.Close();
    w.Adodc1->Refresh(m_lane::DB_PATH);
    edit::StepGrid* g = w.grid();
    g->ReBind();
    for (int c = 0; c < 3; ++c)
        g->setColumnTwips(c, float((w.ScaleWidth() - 600) * ((c == 1 ? 7500.0 : 500.0) / 9000.0)));
    const int V = g->VisibleRows();
    if (V <= 0)
        return;
    if (N - B <= V) {
        g->Scroll(N - N % V);
        g->setRow(std::min(V - (N - B), V - 1));
    } else {
        g->Scroll(B - B % V);
        g->setRow(B % V);
    }
}

void printRow(const char* name, double ours, double literal, const char* target)
{
    std::printf("%-44s %9.2f %11.2f %8.0fx   %s\n", name, ours, literal,
                ours > 0 ? literal / ours : 0.0, target);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/bench-editor-XXXXXX"));
    const QString folder = dir.path();
    m_lane::InitSettings(folder);
    const QString indexed998 = folder + QStringLiteral("/t998.db");
    const QString indexed999 = folder + QStringLiteral("/t999.db");
    const QString bare998 = folder + QStringLiteral("/b998.db");
    const QString bare999 = folder + QStringLiteral("/b999.db");
    try {
        makeRouteFile(indexed998, folder, 998, true);
        makeRouteFile(indexed999, folder, 999, true);
        makeRouteFile(bare998, folder, 998, false);
        makeRouteFile(bare999, folder, 999, false);
    } catch (const platform::Failure& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }

    useRoute(indexed999);
    BenchDialogs dialogs;
    frm_lane_make w(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
    w.show();
    QCoreApplication::processEvents();
    const QString added = folder + QStringLiteral("/photos/added.jpg");

    auto registration = [&](const QString& route) {
        return [&, route] {
            useRoute(route);
            w.text1()->setText(added);
            w.text2()->setText(QStringLiteral("500"));
            w.option1(1)->setChecked(true);
        };
    };
    auto deletion = [&](const QString& route) {
        return [&, route] {
            useRoute(route);
            w.text2()->setText(QStringLiteral("500"));
        };
    };
    const double regOurs = measure(registration(indexed998), [&] { w.Command1_Click(); });
    const double regLiteral = measure(
        registration(indexed998), [&] { literalRegistration(w, added, QStringLiteral("500")); });
    const double delOurs = measure(deletion(indexed999), [&] { w.Command2_Click(); });
    const double delLiteral =
        measure(deletion(indexed999), [&] { literalDeletion(w, QStringLiteral("500")); });
    const double listOurs =
        measure([&] { useRoute(indexed999); }, [&] { w.LANE_DSP(QStringLiteral("500")); });
    const double listLiteral = measure([&] { useRoute(indexed999); },
                                       [&] { literalListRefresh(w, QStringLiteral("500")); });
    const double regBare = measure(registration(bare998), [&] { w.Command1_Click(); });
    const double regBareLiteral = measure(
        registration(bare998), [&] { literalRegistration(w, added, QStringLiteral("500")); });
    const double delBare = measure(deletion(bare999), [&] { w.Command2_Click(); });
    const double delBareLiteral =
        measure(deletion(bare999), [&] { literalDeletion(w, QStringLiteral("500")); });

    std::printf("editor, median of %d runs, milliseconds (route file made by the program,\n"
                "with its indexes, unless said otherwise)\n\n",
                kRuns);
    std::printf("%-44s %9s %11s %9s   %s\n", "case", "ours", "literal", "speed-up", "target");
    printRow("registration of a new step into 998 steps", regOurs, regLiteral, "<= 50 ms, >= 20x");
    printRow("deletion of a step from 999 steps", delOurs, delLiteral, "<= 50 ms, >= 20x");
    printRow("LANE_DSP on 999 steps", listOurs, listLiteral, "<= 20 ms");
    printRow("registration, file without indexes", regBare, regBareLiteral, "-");
    printRow("deletion, file without indexes", delBare, delBareLiteral, "-");
    return 0;
}
