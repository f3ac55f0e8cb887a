#pragma once

#include "app/practice_settings.h"
#include "learn/after_goal.h"
#include "learn/photo_prefetch.h"
#include "learn/practice_events.h"
#include "learn/route_outage.h"
#include "platform/dialogs.h"
#include "platform/screen_cover.h"
#include "platform/twips.h"

#include <QWidget>
#include <array>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;

namespace store {
struct Step;
} // namespace store

namespace learn {
class VoicePrompt;
class AnswerAccess;
} // namespace learn

namespace platform {
class Failure;
class MMControl;
class VbTimer;
} // namespace platform

// The full-screen window in which the child practises the route: one photo after another, the
// child answers with the arrow buttons beneath it.
class frm_lane_play : public QWidget
{
    Q_OBJECT
public:
    // `programFolder` holds the two sounds; `screen` is the screen the window fills.
    frm_lane_play(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                  const QString& programFolder, QWidget* parent = nullptr);
    ~frm_lane_play() override;

    // The window's handlers, public so that they can be driven directly.
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click(int Index);
    void Command2_Click();
    // "もういちど", shown after the goal: the route starts again from its first step.
    void Again_Click();

    // Positions and sizes in twips, as the handlers compute them.
    platform::TwipGeometry Form;
    platform::TwipGeometry Picture2;
    platform::TwipGeometry Picture1;
    std::array<platform::TwipGeometry, 3> Command1;
    platform::TwipGeometry Command2;
    platform::TwipGeometry Again;

    // Decode the next step's photo in the background while the present one is on screen.
    bool PrefetchPhotos = true;

    // How long, in seconds, a tick or an answer waits for another program that holds the route
    // file before it leaves the screen as it is and tries again by itself.
    int RouteWaitSeconds = 1;
    // How long, in milliseconds, the route may stay unavailable before the adult is told.
    int ReportUnavailableAfterMs = 10000;
    // How long, in milliseconds, an answer given while the route could not be read waits before
    // it is judged again.
    int AnswerRetryMs = 1000;

    platform::VbTimer* Timer1 = nullptr;
    platform::MMControl* MMControl1 = nullptr;

    QLabel* photo() const { return m_photo; }
    QPushButton* arrowButton(int index) const { return m_arrows.at(index); }
    QPushButton* backButton() const { return m_back; }
    QPushButton* againButton() const { return m_afterGoal->button(); }
    // The goal is on screen: the arrows answer nothing until the run goes on.
    bool atGoal() const { return m_afterGoal->reached(); }

    // Speaks the parent's recorded voice of the step on screen.
    learn::VoicePrompt* voicePrompt() const { return m_voice; }

    // The answer that waits to be judged once the route can be read again (-1 for none).
    int pendingAnswer() const { return m_pendingAnswer; }

    // How this child practises this route: by switches or big buttons, among others.
    void setPracticeSettings(const app::PracticeSettings& settings);
    const app::PracticeSettings& practiceSettings() const { return m_settings; }
    learn::AnswerAccess* answerAccess() const { return m_access; }

    // What happens in the window, as signals (photos shown, presses, "もどる", the goal).
    learn::PracticeEvents* practiceEvents() const { return m_events; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The keyboard answers as the buttons do: the arrow keys press the matching arrow button,
    // Backspace presses "もどる".
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    // The photo and direction of step STEP_NO; empty when the step has no row.
    store::Step readStep();
    // A new run starts: nothing of the last one is waiting or remembered.
    void forgetRun();
    // Tells the adult, when it is time, that the route can't be read.
    void routeUnavailable(learn::RouteOutage& outage, const platform::Failure& error);
    void coverClientArea();
    bool pressForKey(const QKeyEvent& key);
    void play(const QString& soundFile);
    bool showPhoto(const QString& path);
    void armTimer();
    learn::PhotoRoom photoRoom() const;
    void layOutStep();
    // The buttons are placed below an empty photo box when no photo has been shown yet.
    void showButtonsWithoutPhoto();
    void placeAgain();
    void reachGoal();

    platform::Dialogs& m_dialogs;
    platform::ScreenTwips m_screen;
    QString m_programFolder;

    QWidget* m_frame = nullptr;
    QLabel* m_photo = nullptr;
    std::array<QPushButton*, 3> m_arrows{};
    QPushButton* m_back = nullptr;
    learn::PhotoPrefetch m_prefetch;
    learn::AfterGoal* m_afterGoal = nullptr;

    // The photo path that the last tick read for step STEP_NO (shown, or missing on disk).
    QString m_stepPhoto;
    learn::RouteOutage m_tickOutage;
    learn::RouteOutage m_answerOutage;
    QTimer* m_answerRetry = nullptr;
    int m_pendingAnswer = -1;

    app::PracticeSettings m_settings;
    learn::VoicePrompt* m_voice = nullptr;
    learn::AnswerAccess* m_access = nullptr;
    learn::PracticeEvents* m_events = nullptr;
    platform::ScreenCover m_cover;
};
