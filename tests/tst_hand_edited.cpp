// Routes edited by hand outside the program: odd numbers, repeats, odd directions, no photo.
// The learning window goes by the three-digit keys and never stops working.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "learn/frm_lane_play.h"
#include "learn/messages.h"
#include "platform/vb_timer.h"
#include "store/adodc.h"
#include "store/messages.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

class TestHandEdited : public QObject
{
    Q_OBJECT

private slots:
    // Each row lists the route's rows as "order|photo name|direction" (photo names are made
    // into real pictures, "-" means an empty path), the arrows pressed in turn (index), and the
    // steps seen: a number is a step shown, G the goal, W "ざんねん！".
    void learningRunOverAHandEditedRoute_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("presses");
        QTest::addColumn<QString>("seen");
        QTest::newRow("numbers without leading zeros are not found")
            << QStringList{"1|a|↑", "002|b|↑"} << QList<int>{} << "G";
        QTest::newRow("four-digit number is not a step")
            << QStringList{"001|a|↑", "0002|b|↑", "003|c|↑"} << QList<int>{0} << "1G";
        QTest::newRow("repeated number shows its first row")
            << QStringList{"001|a|↑", "002|b|→", "002|c|←", "003|d|↑"} << QList<int>{0, 2, 0}
            << "123G";
        QTest::newRow("empty photo ends the run like the goal")
            << QStringList{"001|a|↑", "002|-|↑", "003|c|↑"} << QList<int>{0} << "1G";
        QTest::newRow("empty direction makes every arrow wrong")
            << QStringList{"001|a|"} << QList<int>{0, 1, 2} << "1WWW";
        QTest::newRow("unknown direction makes every arrow wrong")
            << QStringList{"001|a|右"} << QList<int>{0, 1, 2} << "1WWW";
        QTest::newRow("temporary number left behind is skipped")
            << QStringList{"001|a|↑", "001_0|x|↑", "002|b|↑"} << QList<int>{0, 0} << "12G";
    }

    void learningRunOverAHandEditedRoute()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, presses);
        QFETCH(QString, seen);
        RouteFixture fx;
        ScriptedDialogs dialogs;
        QList<RouteRow> route;
        for (const QString& row : rows) {
            const QStringList f = row.split(QLatin1Char('|'));
            const QString photo =
                f[1] == "-" ? QString() : fx.makeImage(f[1] + QStringLiteral(".png"), {30, 20});
            route << RouteRow{f[0], photo, f[2]};
        }
        fx.create(route);
        frm_lane_play w(dialogs, platform::ScreenTwips::fromPixels(QSize(800, 600)), fx.dir());

        QString trace;
        auto tick = [&] {
            const qsizetype before = dialogs.messages.size();
            w.Timer1_Timer();
            if (dialogs.messages.size() > before &&
                dialogs.messages.last() == learn::messages::kGoal)
                trace += QLatin1Char('G');
            else if (dialogs.messages.size() == before)
                trace += QString::number(m_lane::STEP_NO.toInt());
            else
                trace += QLatin1Char('?');
        };
        tick();
        for (int index : presses) {
            const qsizetype before = dialogs.messages.size();
            w.Command1_Click(index);
            if (w.Timer1->Enabled())
                tick();
            else if (dialogs.messages.size() > before &&
                     dialogs.messages.last() == learn::messages::kWrong)
                trace += QLatin1Char('W');
        }
        QCOMPARE(trace, seen);
    }

    // The editor lists a hand-edited route, selects each row, and its next change numbers the
    // route cleanly again without losing a row.
    void editorRestoresACleanNumbering_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("deletion of nothing") << "delete none";
        QTest::newRow("deletion of a repeated number") << "delete 003";
        QTest::newRow("registration of a new photo") << "register";
    }

    void editorRestoresACleanNumbering()
    {
        QFETCH(QString, change);
        RouteFixture fx;
        ScriptedDialogs dialogs;
        auto photo = [&](const char* name) {
            return fx.makeImage(QString::fromLatin1(name) + QStringLiteral(".png"), {12, 9});
        };
        const QString a = photo("a"), b = photo("b"), c = photo("c"), d = photo("d"),
                      e = photo("e"), f = photo("f");
        fx.create({{"1", a, "↑"},
                   {"002", b, "→"},
                   {"0002", c, "←"},
                   {"003", d, ""},
                   {"003", e, "右"},
                   {"004_0", f, "↑"},
                   {"005", "", "↑"},
                   {"006", b, "↑"}});
        // The route's order: text order of the numbers, rows with the same number as stored.
        QStringList order{c, b, d, e, f, QString(), b, a};

        frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        QCOMPARE(editor.Adodc1->rowCount(), 8);
        editor.option1(2)->setChecked(true);
        for (int row = 0; row < 8; ++row) {
            editor.grid()->setCurrentIndex(editor.Adodc1->index(row, 0));
            int cancel = 0;
            editor.DataGrid1_SelChange(cancel);
            QCOMPARE(editor.text1()->text(), order[row]);
        }
        // Rows 3 and 4 hold no known arrow: the option stays as the row before left it.
        QVERIFY(editor.option1(0)->isChecked());
        QVERIFY(dialogs.messages.isEmpty());

        if (change == QLatin1String("register")) {
            const QString g = photo("g");
            editor.text2()->setText(QStringLiteral("005"));
            editor.text1()->setText(g);
            editor.Command1_Click();
            order.insert(6, g); // after the row numbered 005
        } else {
            editor.text2()->setText(change == QLatin1String("delete 003") ? QStringLiteral("003")
                                                                          : QString());
            editor.Command2_Click();
            if (change == QLatin1String("delete 003")) {
                order.removeAt(3); // both rows numbered 003
                order.removeAt(2);
            }
        }
        const QList<RouteRow> rows = fx.rows();
        QCOMPARE(rows.size(), order.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].order, stepKey(i + 1));
            QCOMPARE(rows[i].photo, order[i]);
        }
    }

    // A photo held by two rows: registering it again over the chosen row replaces that row
    // alone; the other row with the same photo stays.
    void photoHeldTwiceIsReplacedOnce()
    {
        RouteFixture fx;
        ScriptedDialogs dialogs;
        const QString a = fx.makeImage(QStringLiteral("a.png"), {12, 9});
        const QString b = fx.makeImage(QStringLiteral("b.png"), {12, 9});
        fx.create({{"001", a, "↑"}, {"002", b, "↑"}, {"003", a, "↑"}});
        frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        editor.grid()->setCurrentIndex(editor.Adodc1->index(2, 0));
        int cancel = 0;
        editor.DataGrid1_SelChange(cancel);
        editor.option1(1)->setChecked(true);
        editor.Command1_Click(); // the overwrite question answered OK
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kOverwrite});
        QCOMPARE(fx.rows(), (QList<RouteRow>{{"001", a, "↑"}, {"002", b, "↑"}, {"003", a, "→"}}));
        QCOMPARE(editor.text2()->text(), QStringLiteral("003"));
    }

    // More rows than three-digit numbers can hold: a change either leaves numbers "001"-"999",
    // each once, or is refused with a message and writes nothing; no row is ever lost.
    void routeOfMoreThan999Rows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("changed");
        QTest::newRow("1000 rows: a deletion brings it within the limit") << 1000 << true;
        QTest::newRow("1001 rows: the deletion is refused") << 1001 << false;
    }

    void routeOfMoreThan999Rows()
    {
        QFETCH(int, rows);
        QFETCH(bool, changed);
        RouteFixture fx;
        ScriptedDialogs dialogs;
        fx.createSteps(rows);
        const QList<RouteRow> before = fx.rows();
        frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        editor.text2()->setText(QStringLiteral("500"));
        editor.Command2_Click();
        const QList<RouteRow> after = fx.rows();
        if (!changed) {
            QCOMPARE(after, before);
            QCOMPARE(dialogs.messages.size(), 2);
            QVERIFY2(dialogs.messages[1].contains(store::messages::tooManySteps(rows, 999).cause),
                     qPrintable(dialogs.messages[1]));
            return;
        }
        QCOMPARE(after.size(), rows - 1);
        for (int i = 0; i < after.size(); ++i)
            QCOMPARE(after[i].order, QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
    }
};

QTEST_MAIN(TestHandEdited)
#include "tst_hand_edited.moc"
