#pragma once

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QTimer;

namespace platform {

// Plays one recorded voice at a time, in the background, for at most 20 seconds: a file that is
// endless or far too long is cut off, and one that can't be played ends in failed() instead of
// holding anything up.
class VoicePlayer : public QObject
{
    Q_OBJECT
public:
    explicit VoicePlayer(QObject* parent = nullptr);
    ~VoicePlayer() override;

    // Gets `path` ready, so that play() starts at once; stops whatever plays. An empty or
    // missing path leaves nothing to play.
    void load(const QString& path);
    // Plays the loaded file from its start.
    void play();
    void stop();

    // The loaded file; empty when none.
    const QString& source() const { return m_source; }
    QMediaPlayer* player() const { return m_player; }

signals:
    // The sound has begun to play.
    void started();
    // It reached its end, or the time limit.
    void finished();
    // It can't be played: a missing, broken or unknown file, or no audio device. `reason` is
    // the back-end's own words.
    void failed(const QString& reason);

private:
    static constexpr int kLimitMs = 20000;

    bool isPlaying() const;
    void reportError();

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
    QTimer* m_limit = nullptr;
    QString m_source;
    bool m_startReported = false;
    bool m_broken = false;
};

} // namespace platform
