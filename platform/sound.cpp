#include "platform/sound.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace platform {

MMControl::MMControl(QObject* parent) : QObject(parent) {}

MMControl::~MMControl() = default;

void MMControl::Command(const QString& command)
{
    emit commandGiven(command, FileName);
    Notify = false;
    Wait = false;
    const QString c = command.trimmed().toLower();
    if (c == QLatin1String("close"))
        close();
    else if (c == QLatin1String("open"))
        open();
    else if (c == QLatin1String("play"))
        play();
}

void MMControl::close()
{
    if (!m_player)
        return;
    m_player->stop();
    m_player->setSource(QUrl());
}

void MMControl::open()
{
    close();
    if (!QFileInfo(FileName).isFile())
        return; // nothing to play: silence
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        // A broken file or a missing device only means no sound.
        connect(m_player, &QMediaPlayer::errorOccurred, this, [] {});
    }
    m_player->setSource(QUrl::fromLocalFile(FileName));
}

void MMControl::play()
{
    if (m_player && !m_player->source().isEmpty())
        m_player->play();
}

} // namespace platform
