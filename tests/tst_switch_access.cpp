// Switches, big buttons and touch on the real practice window, against a real route file, and
// the "答え方" settings that choose them.
#include "answer/answer_dialog.h"
#include "answer/key_button.h"
#include "app/m_lane.h"
#include "learn/answer_access.h"
#include "learn/frm_lane_play.h"
#include "learn/messages.h"
#include "platform/dialogs.h"
#include "platform/short_sound.h"
#include "platform/sound.h"
#include "platform/vb_timer.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointingDevice>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

app::PracticeSettings switches(app::AnswerMode mode, int guardMs = 0)
{
    app::PracticeSettings settings;
    settings.answer = mode;
    settings.scanIntervalMs = 500;
    settings.guardMs = guardMs;
    return settings;
}

void press(QWidget* w, Qt::Key key, bool autoRepeat = false)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w->focusWidget() ? w->focusWidget() : w, &down);
}

void release(QWidget* w, Qt::Key key)
{
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w->focusWidget() ? w->focusWidget() : w, &up);
}

} // namespace

class TestSwitchAccess : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    // A window on a route of `directions`, showing step 1 with `settings`.
    std::unique_ptr<frm_lane_play> practise(const QStringList& directions,
                                            const app::PracticeSettings& settings)
    {
        QList<RouteRow> rows;
        for (int i = 0; i < directions.size(); ++i)
            rows << RouteRow{stepKey(i + 1),
                             fx->makeImage(QStringLiteral("s%1.png").arg(i + 1), QSize(320, 240)),
                             directions[i]};
        fx->create(rows);
        auto w = std::make_unique<frm_lane_play>(
            dialogs, platform::ScreenTwips::fromPixels(QSize(1280, 800)), fx->dir());
        w->setPracticeSettings(settings);
        w->Timer1_Timer();
        return w;
    }

    static learn::SwitchScan& scan(const frm_lane_play& w) { return w.answerAccess()->scan(); }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    // One switch: the highlight goes round the arrows, the switch answers the highlighted one,
    // and the scan waits while the next photo is on its way, then starts again at "↑".
    void oneSwitchPractisesTheRoute()
    {
        auto w = practise({kLeft, kUp}, switches(app::AnswerMode::OneSwitch));
        QPushButton* up = w->arrowButton(0);
        const QRect small = w->arrowButton(1)->geometry();
        QCOMPARE(scan(*w).highlighted(), 0);
        QVERIFY(up->styleSheet().contains(QStringLiteral("border")));
        QVERIFY(up->width() > small.width() && up->height() > small.height());
        QCOMPARE(up->accessibleName(), kUp);
        QCOMPARE(w->answerAccess()->tick()->played(), 0); // no tick unless asked for

        QTRY_COMPARE_WITH_TIMEOUT(scan(*w).highlighted(), 1, 5000);
        QVERIFY(!up->styleSheet().contains(QStringLiteral("border")));
        QVERIFY(w->arrowButton(1)->width() > small.width());
        QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
        QSignalSpy answered(w->practiceEvents(), &learn::PracticeEvents::answered);
        press(w.get(), Qt::Key_Space);
        release(w.get(), Qt::Key_Space);
        QCOMPARE(commands.size(), 3);
        QVERIFY(commands[1][1].toString().endsWith(QStringLiteral("/OK.mp3")));
        QCOMPARE(answered.size(), 1);
        QCOMPARE(answered[0][0].value<learn::Press>().input, learn::Input::Switch);
        QVERIFY(w->Timer1->Enabled());
        QVERIFY(!scan(*w).running());
        press(w.get(), Qt::Key_Return); // the next photo is on its way: nothing counts
        QCOMPARE(commands.size(), 3);

        w->Timer1_Timer();
        QCOMPARE(m_lane::STEP_NO.toInt(), 2);
        QVERIFY(scan(*w).running());
        QCOMPARE(scan(*w).highlighted(), 0);
        press(w.get(), Qt::Key_Return);
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
    }

    // A wrong answer: the scan stands still while "ざんねん！" is shown and starts again after it.
    void wrongAnswerStartsTheScanAgain()
    {
        auto w = practise({kRight}, switches(app::AnswerMode::OneSwitch));
        bool runningMeanwhile = true;
        dialogs.onMessage = [&](const QString&) { runningMeanwhile = scan(*w).running(); };
        press(w.get(), Qt::Key_Space);
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kWrong});
        QVERIFY(!runningMeanwhile);
        QVERIFY(scan(*w).running());
        QCOMPARE(scan(*w).highlighted(), 0);
    }

    // A tremor or a held switch answers once.
    void doublePressAnswersOnce_data()
    {
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<bool>("released");
        QTest::newRow("second press within the guard time") << false << true;
        QTest::newRow("held switch repeating") << true << false;
    }

    void doublePressAnswersOnce()
    {
        QFETCH(bool, autoRepeat);
        QFETCH(bool, released);
        auto w = practise({kRight}, switches(app::AnswerMode::OneSwitch, 10000));
        press(w.get(), Qt::Key_Space);
        if (released)
            release(w.get(), Qt::Key_Space);
        press(w.get(), Qt::Key_Space, autoRepeat);
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kWrong});
    }

    void twoSwitchesMoveAndAnswer()
    {
        app::PracticeSettings settings = switches(app::AnswerMode::TwoSwitches);
        settings.switchKeys = {Qt::Key_1, Qt::Key_2};
        settings.scanSound = true;
        auto w = practise({kRight}, settings);
        for (int i = 0; i < 2; ++i) {
            press(w.get(), Qt::Key_1);
            release(w.get(), Qt::Key_1);
        }
        QCOMPARE(scan(*w).highlighted(), 2);
        QCOMPARE(w->answerAccess()->tick()->played(), 3); // "↑" highlighted, then two moves
        QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
        press(w.get(), Qt::Key_2);
        QVERIFY(commands.size() == 3 && w->Timer1->Enabled());
    }

    // The real message box closes with the switch, but not with the press that brought it up
    // nor with a held switch.
    void messageClosesWithTheSwitch_data()
    {
        QTest::addColumn<int>("guardMs");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closed");
        QTest::newRow("switch press") << 0 << false << int(Qt::Key_F5) << true;
        QTest::newRow("held switch") << 0 << true << int(Qt::Key_F5) << false;
        QTest::newRow("within the guard time") << 10000 << false << int(Qt::Key_F5) << false;
        QTest::newRow("another key") << 0 << false << int(Qt::Key_A) << false;
    }

    void messageClosesWithTheSwitch()
    {
        QFETCH(int, guardMs);
        QFETCH(bool, autoRepeat);
        QFETCH(int, key);
        QFETCH(bool, closed);
        app::PracticeSettings settings = switches(app::AnswerMode::OneSwitch, guardMs);
        settings.switchKeys = {Qt::Key_F5};
        auto w = practise({kUp}, settings);
        const std::unique_ptr<QMessageBox> box =
            platform::makeMessageBox(w.get(), learn::messages::kWrong);
        QSignalSpy finished(box.get(), &QDialog::finished);
        box->show();
        press(box.get(), Qt::Key(key), autoRepeat);
        QCOMPARE(finished.size(), closed ? 1 : 0);
        if (closed)
            QCOMPARE(box->clickedButton(), box->defaultButton());
    }

    // With the settings untouched the window is exactly as before: places, looks, keys and
    // message boxes.
    void defaultSettingsChangeNothing()
    {
        auto w = practise({kUp, kUp}, app::PracticeSettings());
        frm_lane_play plain(dialogs, platform::ScreenTwips::fromPixels(QSize(1280, 800)),
                            fx->dir());
        plain.Timer1_Timer();
        QCOMPARE(w->photo()->geometry(), plain.photo()->geometry());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w->arrowButton(i)->geometry(), plain.arrowButton(i)->geometry());
            QCOMPARE(w->arrowButton(i)->styleSheet(), plain.arrowButton(i)->styleSheet());
            QCOMPARE(w->arrowButton(i)->font(), plain.arrowButton(i)->font());
        }
        QCOMPARE(w->backButton()->geometry(), plain.backButton()->geometry());
        QCOMPARE(w->Command2.Top(), plain.Command2.Top());
        QCOMPARE(platform::messageLook(w.get()), platform::MessageLook());
        QCOMPARE(scan(*w).highlighted(), -1);
        // Space presses the focused button, as on any button.
        w->arrowButton(0)->setFocus();
        QSignalSpy clicked(w->arrowButton(0), &QPushButton::clicked);
        QTest::keyClick(w->arrowButton(0), Qt::Key_Space);
        QCOMPARE(clicked.size(), 1);
    }

    void bigButtonsFillTheSpaceUnderThePhoto()
    {
        app::PracticeSettings settings;
        settings.bigButtons = true;
        auto w = practise({kUp}, settings);
        const QRect photo = w->photo()->geometry();
        QCOMPARE(w->Picture1.Top(), 495.f); // the photo stands where it always does
        QRegion taken;
        for (QPushButton* button :
             {w->arrowButton(0), w->arrowButton(1), w->arrowButton(2), w->backButton()}) {
            const QRect r = button->geometry();
            QVERIFY(r.top() > photo.bottom() && r.bottom() < w->height());
            QVERIFY(r.width() >= 4 * 57 && r.height() >= 2 * 33);
            QVERIFY(!taken.intersects(r));
            taken += r;
        }
        QVERIFY(w->arrowButton(1)->geometry().left() < 40);
        QVERIFY(w->arrowButton(2)->geometry().right() > w->width() - 40);
        QVERIFY(platform::messageLook(w.get()).large);
    }

    // A touch on a button answers like a click; a touch on the photo does nothing.
    void touchAnswersOnlyOnAButton()
    {
        auto w = practise({kLeft}, app::PracticeSettings());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QPointingDevice* screen = QTest::createTouchDevice();
        const QPoint onPhoto = w->photo()->geometry().center();
        QTest::touchEvent(w.get(), screen).press(0, onPhoto);
        QTest::touchEvent(w.get(), screen).release(0, onPhoto);
        QVERIFY(dialogs.messages.isEmpty());
        const QPoint onUp = w->arrowButton(0)->geometry().center();
        QSignalSpy answered(w->practiceEvents(), &learn::PracticeEvents::answered);
        QTest::touchEvent(w.get(), screen).press(0, onUp);
        QTest::touchEvent(w.get(), screen).release(0, onUp);
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kWrong});
        QCOMPARE(answered.size(), 1);
        QCOMPARE(answered[0][0].value<learn::Press>().input, learn::Input::Touch);
    }

    // The adult assigns a switch by pressing it; other settings pass through unchanged.
    void answerDialogTakesTheChoices()
    {
        app::PracticeSettings given;
        given.sounds = false;
        answer::AnswerDialog dialog(given);
        dialog.modes()->button(int(app::AnswerMode::TwoSwitches))->click();
        dialog.keyButton(0)->click();
        QTest::keyClick(dialog.keyButton(0), Qt::Key_Tab);
        dialog.keyButton(1)->click();
        QTest::keyClick(dialog.keyButton(1), Qt::Key_Escape); // gives up: Enter stays
        dialog.pace()->setValue(0.5);
        const app::PracticeSettings chosen = dialog.settings();
        QCOMPARE(chosen.answer, app::AnswerMode::TwoSwitches);
        QCOMPARE(chosen.switchKeys, (QList<int>{Qt::Key_Tab, Qt::Key_Return}));
        QCOMPARE(chosen.scanIntervalMs, 500);
        QVERIFY(!chosen.sounds);
        QVERIFY(dialog.problem().isEmpty());

        dialog.keyButton(1)->click();
        QTest::keyClick(dialog.keyButton(1), Qt::Key_Tab);
        QVERIFY(!dialog.problem().isEmpty()); // two switches on one key
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestSwitchAccess)
#include "tst_switch_access.moc"
