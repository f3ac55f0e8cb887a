#include "edit/voice_recorder.h"

#include "edit/messages.h"
#include "platform/audio_level.h"
#include "platform/dialogs.h"
#include "platform/voice_player.h"

#include <QAudioBuffer>
#include <QAudioInput>
#include <QAudioSource>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaCaptureSession>
#include <QMediaFormat>
#include <QMediaRecorder>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace edit {
namespace {

// MP3 where the back-end can write it (small, and played by picture-board apps too), else WAV.
QMediaFormat takeFormat()
{
    QMediaFormat mp3(QMediaFormat::MP3);
    mp3.setAudioCodec(QMediaFormat::AudioCodec::MP3);
    if (mp3.isSupported(QMediaFormat::Encode))
        return mp3;
    QMediaFormat wave(QMediaFormat::Wave);
    wave.setAudioCodec(QMediaFormat::AudioCodec::Wave);
    return wave;
}

QString seconds(qint64 ms)
{
    return QStringLiteral("%1 秒").arg(double(ms) / 1000.0, 0, 'f', 1);
}

} // namespace

VoiceRecorder::VoiceRecorder(platform::Dialogs& dialogs, const QAudioDevice& microphone,
                             const QString& what, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_microphone(microphone)
{
    setWindowTitle(QStringLiteral("声の録音"));
    auto* layout = new QVBoxLayout(this);
    // The dialog grows with its messages instead of cutting them off.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    auto* intro = new QLabel(
        what + QStringLiteral("\n「録音」を押して話し、終わったら「止める」を押してください（%1 "
                              "秒で自動的に止まります）。")
                   .arg(kMaxTakeMs / 1000),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_meter = new QProgressBar(this);
    m_meter->setObjectName(QStringLiteral("levelMeter"));
    m_meter->setRange(0, 100);
    m_meter->setTextVisible(false);
    m_meter->setAccessibleName(QStringLiteral("音の大きさ"));
    layout->addWidget(m_meter);
    m_time = new QLabel(seconds(0), this);
    layout->addWidget(m_time);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    // Room for two lines from the start, so that no message moves the buttons.
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing());
    layout->addWidget(m_status);

    auto* buttons = new QHBoxLayout;
    auto makeButton = [&](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    m_record = makeButton(QStringLiteral("録音"), QStringLiteral("recordButton"));
    m_stop = makeButton(QStringLiteral("止める"), QStringLiteral("stopButton"));
    m_listen = makeButton(QStringLiteral("聞く"), QStringLiteral("listenButton"));
    m_keep = makeButton(QStringLiteral("この声を使う"), QStringLiteral("keepButton"));
    m_cancel = makeButton(QStringLiteral("やめる"), QStringLiteral("cancelButton"));
    layout->addLayout(buttons);

    m_session = new QMediaCaptureSession(this);
    m_input = new QAudioInput(m_microphone, this);
    m_session->setAudioInput(m_input);
    m_recorder = new QMediaRecorder(this);
    m_session->setRecorder(m_recorder);
    m_recorder->setMediaFormat(takeFormat());
    m_recorder->setQuality(QMediaRecorder::HighQuality);
    m_level = new platform::AudioLevel(this);
    m_player = new platform::VoicePlayer(this);
    // Nothing heard from the microphone for this long: it delivers no sound at all.
    m_noSound = new QTimer(this);
    m_noSound->setSingleShot(true);
    m_noSound->setInterval(8000);

    connect(m_record, &QPushButton::clicked, this, &VoiceRecorder::startRecording);
    connect(m_stop, &QPushButton::clicked, this, &VoiceRecorder::stopRecording);
    connect(m_listen, &QPushButton::clicked, this, [this] {
        m_player->load(m_take);
        m_player->play();
    });
    connect(m_keep, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_recorder, &QMediaRecorder::durationChanged, this, [this](qint64 ms) {
        m_time->setText(seconds(std::min<qint64>(ms, kMaxTakeMs)));
        if (ms > 0)
            m_noSound->stop();
        if (ms >= kMaxTakeMs)
            stopRecording();
    });
    connect(m_recorder, &QMediaRecorder::recorderStateChanged, this,
            [this](QMediaRecorder::RecorderState state) {
                if (state == QMediaRecorder::StoppedState && m_state == State::Recording)
                    recorderStopped();
            });
    connect(m_recorder, &QMediaRecorder::errorOccurred, this, [this] {
        if (m_state == State::Recording)
            refuse(messages::recordingFailed(m_recorder->errorString()));
    });
    connect(m_noSound, &QTimer::timeout, this, [this] {
        if (m_state == State::Recording)
            refuse(messages::kMicrophoneSilent);
    });
    connect(m_level, &platform::AudioLevel::measured, this, &VoiceRecorder::checked);
    connect(m_player, &platform::VoicePlayer::failed, this, [this](const QString& reason) {
        m_dialogs.MsgBox(this, messages::takeUnplayable(reason));
    });
    setState(State::Idle);
}

VoiceRecorder::~VoiceRecorder()
{
    m_player->stop();
    if (m_meterSource)
        m_meterSource->stop();
    m_recorder->stop();
}

void VoiceRecorder::setState(State state)
{
    m_state = state;
    m_record->setEnabled(state == State::Idle || state == State::Ready);
    m_stop->setEnabled(state == State::Recording);
    m_listen->setEnabled(state == State::Ready);
    m_keep->setEnabled(state == State::Ready);
    m_record->setText(state == State::Ready ? QStringLiteral("録音しなおす")
                                            : QStringLiteral("録音"));
    switch (state) {
    case State::Idle:
        m_status->setText(QString());
        break;
    case State::Recording:
        m_status->setText(messages::kRecording);
        break;
    case State::Checking:
        m_status->setText(messages::kCheckingTake);
        break;
    case State::Ready:
        m_status->setText(messages::kTakeReady);
        break;
    }
    (state == State::Recording ? m_stop : state == State::Ready ? m_listen : m_record)->setFocus();
}

void VoiceRecorder::startRecording()
{
    m_player->stop();
    m_take.clear();
    m_recording =
        m_dir.filePath(QStringLiteral("take%1.%2")
                           .arg(++m_takes)
                           .arg(m_recorder->mediaFormat().fileFormat() == QMediaFormat::MP3
                                    ? QStringLiteral("mp3")
                                    : QStringLiteral("wav")));
    m_recorder->setOutputLocation(QUrl::fromLocalFile(m_recording));
    m_time->setText(seconds(0));
    m_meter->setValue(0);
    setState(State::Recording);
    // The meter listens to the same microphone; the recorder writes the file.
    delete m_meterSource;
    m_meterSource = new QAudioSource(m_microphone, m_microphone.preferredFormat(), this);
    m_meterInput = m_meterSource->start();
    if (m_meterInput)
        connect(m_meterInput, &QIODevice::readyRead, this, &VoiceRecorder::showMeter);
    m_noSound->start();
    m_recorder->record();
}

void VoiceRecorder::showMeter()
{
    const QByteArray data = m_meterInput->readAll();
    if (data.isEmpty())
        return;
    const QAudioBuffer buffer(data, m_meterSource->format());
    m_meter->setValue(int(std::lround(platform::AudioLevel::peakOf(buffer) * 100)));
}

void VoiceRecorder::stopRecording()
{
    if (m_state != State::Recording)
        return;
    m_noSound->stop();
    if (m_meterSource)
        m_meterSource->stop();
    m_meter->setValue(0);
    m_recorder->stop();
}

void VoiceRecorder::recorderStopped()
{
    setState(State::Checking);
    QString file = m_recorder->actualLocation().toLocalFile();
    if (file.isEmpty())
        file = m_recording;
    m_recording = file;
    if (QFileInfo(file).size() == 0) {
        refuse(messages::kTakeSilent);
        return;
    }
    m_level->measure(file);
}

void VoiceRecorder::checked(bool decoded, double peak, qint64)
{
    if (m_state != State::Checking)
        return;
    if (!decoded || peak < kSilentPeak) {
        refuse(messages::kTakeSilent);
        return;
    }
    m_take = m_recording;
    setState(State::Ready);
}

void VoiceRecorder::refuse(const QString& message)
{
    m_noSound->stop();
    if (m_meterSource)
        m_meterSource->stop();
    const State was = m_state;
    m_state = State::Idle; // the recorder's own stop is no longer a take
    if (was == State::Recording)
        m_recorder->stop();
    setState(State::Idle);
    m_dialogs.MsgBox(this, message);
}

} // namespace edit
