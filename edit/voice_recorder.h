#pragma once

#include <QAudioDevice>
#include <QDialog>
#include <QString>
#include <QTemporaryDir>

class QAudioInput;
class QAudioSource;
class QIODevice;
class QLabel;
class QMediaCaptureSession;
class QMediaRecorder;
class QProgressBar;
class QPushButton;
class QTimer;

namespace platform {
class AudioLevel;
class Dialogs;
class VoicePlayer;
} // namespace platform

namespace edit {

// The loudest sample a take must reach (of full scale) to count as spoken: below it the
// microphone heard nothing but its own hiss.
inline constexpr double kSilentPeak = 0.02;
// The longest take.
inline constexpr int kMaxTakeMs = 15000;

// Records the parent's voice for one step: a level meter, a stop button, a stop by itself after
// 15 seconds, and the take to listen to before it is kept. A take in which the microphone heard
// nothing is refused with a message. The take is a file of its own (take()) until the dialog's
// caller keeps it.
class VoiceRecorder : public QDialog
{
    Q_OBJECT
public:
    VoiceRecorder(platform::Dialogs& dialogs, const QAudioDevice& microphone, const QString& what,
                  QWidget* parent = nullptr);
    ~VoiceRecorder() override;

    // The take to keep once the dialog has been accepted; empty before.
    QString take() const { return m_take; }

    void startRecording();
    void stopRecording();

private:
    enum class State { Idle, Recording, Checking, Ready };

    void setState(State state);
    void showMeter();
    void recorderStopped();
    void checked(bool decoded, double peak, qint64 soundMs);
    void refuse(const QString& message);

    platform::Dialogs& m_dialogs;
    QAudioDevice m_microphone;
    QTemporaryDir m_dir;
    QString m_take;
    QString m_recording;
    int m_takes = 0;
    State m_state = State::Idle;

    QMediaCaptureSession* m_session = nullptr;
    QAudioInput* m_input = nullptr;
    QMediaRecorder* m_recorder = nullptr;
    QAudioSource* m_meterSource = nullptr;
    QIODevice* m_meterInput = nullptr;
    QTimer* m_noSound = nullptr;
    platform::AudioLevel* m_level = nullptr;
    platform::VoicePlayer* m_player = nullptr;

    QLabel* m_status = nullptr;
    QProgressBar* m_meter = nullptr;
    QLabel* m_time = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_listen = nullptr;
    QPushButton* m_keep = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace edit
