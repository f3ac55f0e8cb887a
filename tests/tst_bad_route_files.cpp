// Route files that are missing, empty, foreign, cut short, locked read-only or replaced by a
// folder: both windows report each one in Japanese, naming the file, go on running, and leave
// whatever the user had exactly as it was.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "learn/frm_lane_play.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

namespace {

// What stands at the route file's place: its kind and its bytes (empty for a folder or none).
QByteArray fingerprint(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return "folder";
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "none";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

void sqlite(const QString& path, const QString& sql)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        for (const QString& statement : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            q.exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

class TestBadRouteFiles : public QObject
{
    Q_OBJECT

private slots:
    void reportedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"zero bytes", "a picture", "a text file", "cut short", "SQLite without the table",
              "the table with other columns", "a folder in its place"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    void reportedAndLeftAlone()
    {
        QFETCH(QString, kind);
        RouteFixture fx;
        const QString path = fx.dbPath();
        if (kind == "zero bytes") {
            writeFile(path, QByteArray());
        } else if (kind == "a picture") {
            QFile::copy(fx.makeImage("x.png", QSize(50, 50)), path);
        } else if (kind == "a text file") {
            writeFile(path, "順序,写真,方向\n001,a.jpg,↑\n");
        } else if (kind == "cut short") {
            fx.createSteps(400);
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray whole = f.readAll();
            f.close();
            writeFile(path, whole.left(whole.size() / 2));
        } else if (kind == "SQLite without the table") {
            sqlite(path, "CREATE TABLE other (a TEXT)");
        } else if (kind == "the table with other columns") {
            sqlite(path, "CREATE TABLE プログラム (番号 TEXT, 写真 TEXT)");
        } else {
            QVERIFY(QDir().mkdir(path));
        }
        const QByteArray before = fingerprint(path);
        ScriptedDialogs dialogs;
        const auto screen = platform::ScreenTwips::fromPixels(QSize(1024, 768));

        frm_lane_play play(dialogs, screen, fx.dir());
        play.Timer1_Timer();
        play.Command1_Click(0);
        frm_lane_make make(dialogs, screen);
        make.text1()->setText(fx.makeImage("new.png", QSize(10, 10)));
        make.Command1_Click();
        make.text2()->setText(QStringLiteral("001"));
        make.Command2_Click(); // answered OK

        QStringList reports = dialogs.messages;
        reports.removeAll(edit::messages::kDelete);
        QVERIFY(reports.size() >= 4); // tick, answer, list, registration (deletion may ask first)
        for (const QString& m : reports) {
            QVERIFY2(m.contains(path), qPrintable(m));
            QVERIFY2(m.contains(QStringLiteral("道順")), qPrintable(m));
            QVERIFY2(m.contains(QStringLiteral("理由")), qPrintable(m));
        }
        QCOMPARE(fingerprint(path), before);
        // Nothing else appeared beside it.
        const QStringList left =
            QDir(fx.dir()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& name : left)
            QVERIFY2(!name.startsWith(QStringLiteral("ADO_LANE.mdb-")) && !name.endsWith(".tmp"),
                     qPrintable(name));
    }

    void missingFileIsCreatedEmptyOnFirstUse()
    {
        RouteFixture fx;
        ScriptedDialogs dialogs;
        QVERIFY(!QFileInfo::exists(fx.dbPath()));
        frm_lane_make make(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QFileInfo::exists(fx.dbPath()));
        const QString photo = fx.makeImage("first.png", QSize(10, 10));
        make.text1()->setText(photo);
        make.Command1_Click();
        QCOMPARE(fx.rows(), (QList<RouteRow>{{"001", photo, kUp}}));
    }

    void missingFolderIsReported()
    {
        RouteFixture fx;
        m_lane::InitSettings(fx.dir() + QStringLiteral("/no such folder"));
        ScriptedDialogs dialogs;
        frm_lane_play play(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)), fx.dir());
        play.Timer1_Timer();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains(m_lane::DB_PATH));
        QVERIFY(!QFileInfo::exists(fx.dir() + QStringLiteral("/no such folder")));
    }
};

QTEST_MAIN(TestBadRouteFiles)
#include "tst_bad_route_files.moc"
