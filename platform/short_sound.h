#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

namespace platform {

// A short sound (a WAV file) played again and again with no delay, such as a tick. A missing
// file or no audio device gives silence and nothing else.
class ShortSound : public QObject
{
    Q_OBJECT
public:
    explicit ShortSound(const QString& file, QObject* parent = nullptr);

    void play();
    // How often play() was asked for.
    int played() const { return m_played; }

private:
    QString m_file;
    QSoundEffect* m_effect = nullptr; // made on the first play
    int m_played = 0;
};

} // namespace platform
