#include "learn/voice_prompt.h"

#include "platform/failure.h"
#include "platform/sound.h"
#include "platform/voice_player.h"
#include "store/connect_string.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QMediaPlayer>
#include <QTimer>

namespace learn {

VoicePrompt::VoicePrompt(platform::MMControl& answerSounds, QObject* parent)
    : QObject(parent), m_answerSounds(answerSounds)
{
    m_player = new platform::VoicePlayer(this);
    m_player->setObjectName(QStringLiteral("voicePlayer"));
    m_maxWait = new QTimer(this);
    m_maxWait->setSingleShot(true);
    connect(m_maxWait, &QTimer::timeout, this, [this] {
        cancelWait();
        m_player->play();
    });
}

VoicePrompt::~VoicePrompt()
{
    cancelWait();
}

void VoicePrompt::stepShown(const QString& connectString, const QString& table,
                            const QString& photo)
{
    show(connectString, table, photo, m_when == app::VoiceMode::Always);
}

void VoicePrompt::goalShown(const QString& connectString, const QString& table)
{
    show(connectString, table, store::goalVoiceKey(), m_when == app::VoiceMode::Always);
}

void VoicePrompt::show(const QString& connectString, const QString& table, const QString& key,
                       bool speak)
{
    stop();
    m_voice.clear();
    if (m_when == app::VoiceMode::Never)
        return;
    try {
        // Never waits for another program that holds the route: the voice is left out instead.
        // Nor makes a route file that has gone missing.
        const QString routeFile = store::dataSourceOf(connectString);
        store::Connection cn;
        cn.OpenFile(routeFile, table, 0, store::IfMissing::Fail);
        const QString stored = store::voiceOf(cn, key);
        cn.Close();
        if (!stored.isEmpty())
            m_voice = store::voicePath(routeFile, stored);
    } catch (const platform::Failure&) {
        return; // practice goes on without the voice
    }
    m_player->load(m_voice);
    if (speak)
        speakWhenQuiet();
}

void VoicePrompt::answered()
{
    stop();
}

void VoicePrompt::wrongAnswer()
{
    if (m_when != app::VoiceMode::Never)
        speakWhenQuiet();
}

void VoicePrompt::replay()
{
    if (m_when != app::VoiceMode::Never)
        speakWhenQuiet();
}

void VoicePrompt::stop()
{
    cancelWait();
    m_player->stop();
}

bool VoicePrompt::answerSoundPlaying() const
{
    const QMediaPlayer* sounds = m_answerSounds.player();
    return sounds && sounds->playbackState() == QMediaPlayer::PlayingState;
}

void VoicePrompt::speakWhenQuiet()
{
    cancelWait();
    m_player->stop();
    if (m_voice.isEmpty())
        return;
    if (!answerSoundPlaying()) {
        m_player->play();
        return;
    }
    m_waiting = connect(m_answerSounds.player(), &QMediaPlayer::playbackStateChanged, this,
                        [this](QMediaPlayer::PlaybackState state) {
                            if (state == QMediaPlayer::PlayingState)
                                return;
                            cancelWait();
                            m_player->play();
                        });
    m_maxWait->start(MaxWaitMs);
}

void VoicePrompt::cancelWait()
{
    m_maxWait->stop();
    disconnect(m_waiting);
}

} // namespace learn
