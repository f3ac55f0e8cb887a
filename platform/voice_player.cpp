#include "platform/voice_player.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace platform {

VoicePlayer::VoicePlayer(QObject* parent) : QObject(parent)
{
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_player->setAudioOutput(m_output);
    m_limit = new QTimer(this);
    m_limit->setSingleShot(true);
    connect(m_limit, &QTimer::timeout, this, [this] {
        if (!isPlaying())
            return;
        m_player->stop();
        emit finished();
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, &VoicePlayer::reportError);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia && m_limit->isActive()) {
            m_limit->stop();
            emit finished();
        } else if (s == QMediaPlayer::InvalidMedia) {
            reportError();
        }
    });
    connect(m_player, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (position > 0 && m_limit->isActive() && !m_startReported) {
            m_startReported = true;
            emit started();
        }
    });
}

VoicePlayer::~VoicePlayer() = default;

void VoicePlayer::load(const QString& path)
{
    stop();
    const QString source = QFileInfo(path).isFile() ? path : QString();
    if (source == m_source && !source.isEmpty())
        return; // already prepared
    m_source = source;
    m_broken = false;
    m_player->setSource(source.isEmpty() ? QUrl() : QUrl::fromLocalFile(source));
}

void VoicePlayer::play()
{
    stop();
    if (m_source.isEmpty() || m_broken) {
        emit failed(m_source.isEmpty() ? QString() : m_player->errorString());
        return;
    }
    m_startReported = false;
    m_limit->start(kLimitMs);
    m_player->play();
}

void VoicePlayer::stop()
{
    m_limit->stop();
    if (m_player->playbackState() != QMediaPlayer::StoppedState)
        m_player->stop();
}

bool VoicePlayer::isPlaying() const
{
    return m_limit->isActive() && m_player->playbackState() == QMediaPlayer::PlayingState;
}

void VoicePlayer::reportError()
{
    // Remembered while loading, told once the file is asked to play.
    m_broken = true;
    if (!m_limit->isActive())
        return;
    m_limit->stop();
    emit failed(m_player->errorString());
}

} // namespace platform
