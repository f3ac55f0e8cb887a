// Routes edited by hand outside the program: odd numbers, repeats, odd directions, no photo.
// The learning window goes by the three-digit keys and never stops working.
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "platform/vb_timer.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QLabel>
#include <QTest>

namespace {
const QString kGoal = QStringLiteral("☆★☆　ゴール！　おめでとう！　☆★☆");
const QString kWrong = QStringLiteral("ざんねん！");
} // namespace

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
            if (dialogs.messages.size() > before && dialogs.messages.last() == kGoal)
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
            else if (dialogs.messages.size() > before && dialogs.messages.last() == kWrong)
                trace += QLatin1Char('W');
        }
        QCOMPARE(trace, seen);
    }
};

QTEST_MAIN(TestHandEdited)
#include "tst_hand_edited.moc"
