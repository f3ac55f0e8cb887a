#pragma once

#include "app/practice_settings.h"

#include <QMetaObject>
#include <QObject>
#include <QString>

class QTimer;

namespace platform {
class MMControl;
class VoicePlayer;
} // namespace platform

namespace learn {

// Speaks the parent's recorded voice for the step on screen: when its photo appears, after a
// wrong answer, at the goal, and again for a key that answers nothing. It never speaks over the
// answer sounds: it waits until they have finished, and stops as soon as the child answers. A
// voice that is missing, broken or endless is skipped or cut off; practice goes on regardless.
class VoicePrompt : public QObject
{
    Q_OBJECT
public:
    // `answerSounds` plays the right- and wrong-answer sounds.
    VoicePrompt(platform::MMControl& answerSounds, QObject* parent = nullptr);
    ~VoicePrompt() override;

    // When the voices are heard; unset, always (a route without voices stays silent all the same).
    void setMode(std::optional<app::VoiceMode> mode)
    {
        m_when = mode.value_or(app::VoiceMode::Always);
    }
    app::VoiceMode mode() const { return m_when; }

    // The photo of the step now on screen appeared; `connectString` and `table` name the route.
    void stepShown(const QString& connectString, const QString& table, const QString& photo);
    void goalShown(const QString& connectString, const QString& table);
    // The child answered: the voice stops so that the answer sound is heard alone.
    void answered();
    // A wrong answer: the voice comes again once the wrong-answer sound has finished.
    void wrongAnswer();
    // A key that answers nothing: the voice of the step on screen again.
    void replay();
    // Nothing is on screen any more (a new run, a step back): silence.
    void stop();

    // The voice of the step on screen (empty when it has none), and the player.
    const QString& voice() const { return m_voice; }
    platform::VoicePlayer* player() const { return m_player; }

    // The longest wait for an answer sound to finish before the voice plays anyway.
    int MaxWaitMs = 5000;

private:
    void show(const QString& connectString, const QString& table, const QString& key, bool speak);
    // Plays the voice on screen as soon as the answer sounds are quiet.
    void speakWhenQuiet();
    bool answerSoundPlaying() const;
    void cancelWait();

    platform::MMControl& m_answerSounds;
    platform::VoicePlayer* m_player = nullptr;
    QTimer* m_maxWait = nullptr;
    QMetaObject::Connection m_waiting;
    app::VoiceMode m_when = app::VoiceMode::Always;
    QString m_voice;
};

} // namespace learn
