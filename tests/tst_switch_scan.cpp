// The switch scanning on its own, without a window: which presses count and where the highlight
// goes.
#include "learn/switch_scan.h"

#include <QSignalSpy>
#include <QTest>

using learn::SwitchScan;

namespace {

SwitchScan::Setup setup(SwitchScan::Mode mode, int guardMs = 0, bool offersBack = false)
{
    return SwitchScan::Setup{mode, 60000, guardMs, offersBack, {Qt::Key_Space, Qt::Key_Return}};
}

} // namespace

class TestSwitchScan : public QObject
{
    Q_OBJECT

private slots:
    // The second press of a tremor comes long before the guard time is over; a press after it
    // counts again.
    void guardTimeSwallowsADoublePress_data()
    {
        QTest::addColumn<int>("guardMs");
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<int>("counted");
        QTest::newRow("second press within the guard time") << 10000 << 0 << 1;
        QTest::newRow("second press after the guard time") << 20 << 60 << 2;
        QTest::newRow("no guard time") << 0 << 0 << 2;
    }

    void guardTimeSwallowsADoublePress()
    {
        QFETCH(int, guardMs);
        QFETCH(int, waitMs);
        QFETCH(int, counted);
        SwitchScan scan;
        scan.setUp(setup(SwitchScan::Mode::OneSwitch, guardMs));
        QSignalSpy chosen(&scan, &SwitchScan::chosen);
        scan.restart();
        QVERIFY(scan.press(Qt::Key_Space, false));
        scan.release(Qt::Key_Space, false);
        scan.restart();
        QTest::qWait(waitMs);
        QVERIFY(scan.press(Qt::Key_Return, false)); // taken, counted or not
        QCOMPARE(chosen.size(), counted);
    }

    void heldSwitchAnswersOnce()
    {
        SwitchScan scan;
        scan.setUp(setup(SwitchScan::Mode::OneSwitch));
        QSignalSpy chosen(&scan, &SwitchScan::chosen);
        scan.restart();
        scan.press(Qt::Key_Space, false);
        scan.restart();
        scan.press(Qt::Key_Space, true);  // auto-repeat
        scan.press(Qt::Key_Space, false); // a repeat that is not marked as one
        QCOMPARE(chosen.size(), 1);
        scan.release(Qt::Key_Space, false);
        scan.press(Qt::Key_Space, false);
        QCOMPARE(chosen.size(), 2);
    }

    void twoSwitchesMoveAndChoose()
    {
        SwitchScan scan;
        scan.setUp(setup(SwitchScan::Mode::TwoSwitches, 0, true));
        QSignalSpy chosen(&scan, &SwitchScan::chosen);
        scan.restart();
        QCOMPARE(scan.highlighted(), 0);
        QList<int> visited;
        for (int i = 0; i < 4; ++i) {
            scan.press(Qt::Key_Space, false);
            scan.release(Qt::Key_Space, false);
            visited << scan.highlighted();
        }
        QCOMPARE(visited, (QList<int>{1, 2, SwitchScan::kBack, 0})); // "もどる" offered, wraps
        scan.press(Qt::Key_Space, false);
        scan.press(Qt::Key_Return, false);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 1);
        QVERIFY(!scan.running());
    }

    void onlyTheSwitchKeysAreTaken()
    {
        SwitchScan scan;
        scan.setUp(setup(SwitchScan::Mode::OneSwitch));
        QVERIFY(!scan.press(Qt::Key_Left, false));
        scan.setUp(setup(SwitchScan::Mode::Off));
        QVERIFY(!scan.press(Qt::Key_Space, false));
        scan.restart();
        QCOMPARE(scan.highlighted(), -1);
    }

    // While a message box holds the input nothing counts; once it is closed (by a press of the
    // switch) the scan starts again and the guard time counts from then.
    void heldByAMessageBox()
    {
        SwitchScan scan;
        scan.setUp(setup(SwitchScan::Mode::OneSwitch, 10000));
        QSignalSpy chosen(&scan, &SwitchScan::chosen);
        scan.restart();
        scan.hold();
        scan.press(Qt::Key_Space, false);
        QCOMPARE(chosen.size(), 0);
        scan.unhold();
        QVERIFY(scan.running());
        scan.press(Qt::Key_Return, false);
        QCOMPARE(chosen.size(), 0);
    }

    // One switch: the highlight visits every target in order and never moves before its time.
    void oneSwitchMovesAtThePace()
    {
        SwitchScan scan;
        SwitchScan::Setup s = setup(SwitchScan::Mode::OneSwitch);
        s.intervalMs = 100;
        scan.setUp(s);
        QList<int> visited;
        QList<qint64> late;
        connect(&scan, &SwitchScan::highlightChanged, this, [&](int target) {
            visited << target;
            late << scan.clockMs() - scan.lastDueMs();
        });
        scan.restart();
        visited.clear();
        late.clear();
        QTRY_COMPARE_WITH_TIMEOUT(visited.size(), 4, 10000);
        QCOMPARE(visited, (QList<int>{1, 2, 0, 1}));
        for (qint64 ms : late)
            QVERIFY2(ms >= 0, "a move came before it was due");
    }
};

QTEST_MAIN(TestSwitchScan)
#include "tst_switch_scan.moc"
