// The editor window's layout at load, its controls and its start state, against a real route.
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

struct Rect
{
    float left, top, width, height;
};

void compareGeometry(const platform::TwipGeometry& g, Rect expected)
{
    QCOMPARE(g.Left(), expected.left);
    QCOMPARE(g.Top(), expected.top);
    QCOMPARE(g.Width(), expected.width);
    QCOMPARE(g.Height(), expected.height);
}

} // namespace

class TestEditorLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    std::unique_ptr<frm_lane_make> open(QSize pixels = QSize(1024, 768))
    {
        return std::make_unique<frm_lane_make>(dialogs, editorScreen(pixels));
    }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    void layoutOnScreen()
    {
        fx->createSteps(3);
        const auto w = open();
        // The menu bar lies above the client area, which has the screen's size less the bar.
        const float bar = float(w->menuBar()->sizeHint().height() * 15);
        compareGeometry(w->Form, {0, 0, 15360, 11520 + bar});
        QCOMPARE(w->ScaleHeight(), 11520.0f);
        compareGeometry(w->Frame2, {1972.5f, 0, 11415, 495});
        compareGeometry(w->Picture2, {0, 495, 15360, 5512.5f});
        compareGeometry(w->DataGrid1, {0, 6007.5f, 15240, 5145});
        compareGeometry(w->Picture1, {5752.5f, 1908.75f, 3855, 1695});
        // The widgets stand at the nearest pixels; the photo box lies inside the photo area.
        QCOMPARE(w->grid()->geometry(), QRect(0, 401, 1016, 343));
        QCOMPARE(w->photoArea()->geometry(), QRect(0, 33, 1024, 368));
        QCOMPARE(w->photo()->parentWidget(), w->photoArea());
        QCOMPARE(w->clientArea()->size(), QSize(1024, 768));
        QCOMPARE(w->replacePhotoAction()->text(), QStringLiteral("写真を差し替える…"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void columnWidths_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<float>("scaleWidth");
        QTest::addColumn<QList<float>>("widths");
        QTest::newRow("scale width 9600")
            << QSize(640, 480) << 9600.0f << QList<float>{500, 7500, 500};
        QTest::newRow("scale width 15000")
            << QSize(1000, 750) << 15000.0f << QList<float>{800, 12000, 800};
        QTest::newRow("scale width 15360")
            << QSize(1024, 768) << 15360.0f << QList<float>{820, 12300, 820};
    }

    void columnWidths()
    {
        QFETCH(QSize, screen);
        QFETCH(float, scaleWidth);
        QFETCH(QList<float>, widths);
        fx->createSteps(2);
        const auto w = open(screen);
        QCOMPARE(w->ScaleWidth(), scaleWidth);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(w->grid()->columnTwips(c), widths[c]);
            QCOMPARE(w->grid()->columnWidth(c), int(std::lround(widths[c] / 15)));
        }
    }

    void narrowScreenCutsEditBar()
    {
        fx->createSteps(1);
        const auto w = open(QSize(640, 480));
        QCOMPARE(w->Frame2.Left(), -907.5f);
        QCOMPARE(w->Frame2.Width(), 11415.0f);
        QCOMPARE(w->Text1.Width(), 3855.0f);
        QCOMPARE(w->Command2.Left(), 10440.0f);
    }

    void resizeMovesNothing()
    {
        fx->createSteps(3);
        const auto w = open();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QRect grid = w->grid()->geometry(), area = w->photoArea()->geometry();
        const QRect bar = w->findChild<QWidget*>(QStringLiteral("Frame2"))->geometry();
        w->resize(600, 400);
        QTest::qWait(20);
        QCOMPARE(w->grid()->geometry(), grid);
        QCOMPARE(w->photoArea()->geometry(), area);
        QCOMPARE(w->findChild<QWidget*>(QStringLiteral("Frame2"))->geometry(), bar);
    }

    void startState_data()
    {
        QTest::addColumn<int>("steps");
        QTest::newRow("route of three steps") << 3;
        QTest::newRow("empty route") << 0;
    }

    void startState()
    {
        QFETCH(int, steps);
        fx->createSteps(steps);
        const auto w = open();
        QCOMPARE(w->text1()->text(), QString());
        QCOMPARE(w->text2()->text(), QString());
        QVERIFY(w->option1(0)->isChecked());
        QVERIFY(w->photo()->pixmap().isNull());
        QCOMPARE(w->Adodc1->rowCount(), steps);
        QCOMPARE(w->grid()->currentRecord(), steps > 0 ? 0 : -1);
        QCOMPARE(w->grid()->topRow(), 0);
        QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->grid()));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void listFont()
    {
        fx->create();
        const auto w = open();
        const QStringList gothics{
            QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
            QStringLiteral("IPAPGothic"),      QStringLiteral("IPA Pゴシック"),
            QStringLiteral("VL PGothic"),      QStringLiteral("Noto Sans CJK JP")};
        for (QWidget* part : {static_cast<QWidget*>(w->grid()),
                              static_cast<QWidget*>(w->grid()->horizontalHeader())}) {
            const QFontInfo info(part->font());
            QVERIFY2(gothics.contains(info.family()), qPrintable(info.family()));
            QCOMPARE(part->font().pointSize(), 9);
        }
    }

    // A route file that can't be read gives a message at load; the window opens all the same
    // and the file is left as it was.
    void unreadableRouteAtLoad_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty with `otherTable`: an SQLite file
        QTest::addColumn<bool>("otherTable");
        QTest::addColumn<QString>("cause");
        QTest::newRow("not a database") << QByteArray("これは道順ファイルではありません\n") << false
                                        << "道順ファイルではないか、壊れています";
        QTest::newRow("zero bytes") << QByteArray() << false << "ファイルが空です";
        QTest::newRow("no route table") << QByteArray() << true << "「プログラム」がありません";
    }

    void unreadableRouteAtLoad()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, otherTable);
        QFETCH(QString, cause);
        if (otherTable) {
            fx->create();
            fx->exec(QStringLiteral("DROP TABLE プログラム"));
            fx->exec(QStringLiteral("CREATE TABLE other (a TEXT)"));
        } else {
            QFile file(fx->dbPath());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        }
        QFile file(fx->dbPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const auto w = open();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].startsWith(edit::messages::kListUnreadable));
        QVERIFY2(dialogs.messages[0].contains(cause), qPrintable(dialogs.messages[0]));
        QVERIFY(dialogs.messages[0].contains(fx->dbPath()));
        QCOMPARE(w->Adodc1->rowCount(), 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
};

QTEST_MAIN(TestEditorLayout)
#include "tst_editor_layout.moc"
