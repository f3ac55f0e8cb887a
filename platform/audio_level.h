#pragma once

#include <QObject>
#include <QString>

class QAudioBuffer;
class QAudioDecoder;
class QTimer;

namespace platform {

// Reads a sound file through the media back-end and tells how loud it gets: a take in which the
// microphone heard nothing, or a file that is no sound at all, is found before it is kept.
class AudioLevel : public QObject
{
    Q_OBJECT
public:
    explicit AudioLevel(QObject* parent = nullptr);
    ~AudioLevel() override;

    // Reading stops after this much sound, and gives up after this much time.
    qint64 MaxSoundMs = 60000;
    int TimeoutMs = 15000;

    // Starts reading `path`; measured() follows once, also when the file can't be read.
    void measure(const QString& path);

    // The loudest sample of a buffer, 0 (silence) to 1 (full scale).
    static double peakOf(const QAudioBuffer& buffer);

signals:
    // `decoded`: the file is sound the back-end can read. `peak`: its loudest sample, 0 to 1.
    // `soundMs`: how long the sound read lasts.
    void measured(bool decoded, double peak, qint64 soundMs);

private:
    void finish(bool decoded);

    QAudioDecoder* m_decoder = nullptr;
    QTimer* m_timeout = nullptr;
    double m_peak = 0;
    qint64 m_soundUs = 0;
    bool m_running = false;
};

} // namespace platform
