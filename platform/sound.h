#pragma once

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

namespace platform {

// A small sound player driven by text commands: "Close", "Open" (the file in FileName) and
// "Play", each carried out at once. Playback runs in the background. A missing or broken file,
// or no audio device, gives silence and nothing else.
class MMControl : public QObject
{
    Q_OBJECT
public:
    explicit MMControl(QObject* parent = nullptr);
    ~MMControl() override;

    // As with the control this stands in for, Notify and Wait apply to the next command only
    // and are cleared by it: "Close" and "Open" are done when they return, whatever Wait says,
    // "Play" always plays in the background, and no completion notice is sent. Shareable is
    // kept as set; Qt Multimedia always shares the audio device.
    bool Notify = false;
    bool Wait = false;
    bool Shareable = false;
    QString FileName;

    void Command(const QString& command);

    // The player behind the commands; null until the first "Open".
    QMediaPlayer* player() const { return m_player; }

signals:
    // Every command as it is given, with the file name it applies to.
    void commandGiven(const QString& command, const QString& fileName);

private:
    void close();
    void open();
    void play();

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
};

} // namespace platform
