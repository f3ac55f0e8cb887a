#include "platform/audio_level.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioFormat>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

template <typename Sample>
double peakOfSamples(const QAudioBuffer& buffer, double fullScale, double zero = 0)
{
    const Sample* data = buffer.constData<Sample>();
    const qsizetype count = buffer.byteCount() / qsizetype(sizeof(Sample));
    double peak = 0;
    for (qsizetype i = 0; i < count; ++i)
        peak = std::max(peak, std::abs((double(data[i]) - zero) / fullScale));
    return peak;
}

} // namespace

AudioLevel::AudioLevel(QObject* parent) : QObject(parent)
{
    m_decoder = new QAudioDecoder(this);
    // A format of our own makes the back-end convert whatever the file's decoder gives (an MP3
    // decoder's planar samples are refused otherwise); one channel is enough to hear a voice.
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setChannelCount(1);
    format.setSampleRate(22050);
    m_decoder->setAudioFormat(format);
    m_timeout = new QTimer(this);
    m_timeout->setSingleShot(true);
    connect(m_timeout, &QTimer::timeout, this, [this] { finish(m_soundUs > 0); });
    connect(m_decoder, &QAudioDecoder::bufferReady, this, [this] {
        const QAudioBuffer buffer = m_decoder->read();
        if (!buffer.isValid())
            return;
        m_peak = std::max(m_peak, peakOf(buffer));
        m_soundUs += buffer.duration();
        if (m_soundUs >= MaxSoundMs * 1000)
            finish(true);
    });
    connect(m_decoder, &QAudioDecoder::finished, this, [this] { finish(m_soundUs > 0); });
    connect(m_decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
            [this] { finish(false); });
}

AudioLevel::~AudioLevel() = default;

void AudioLevel::measure(const QString& path)
{
    m_decoder->stop();
    m_peak = 0;
    m_soundUs = 0;
    m_running = true;
    m_timeout->start(TimeoutMs);
    m_decoder->setSource(QUrl::fromLocalFile(path));
    m_decoder->start();
}

void AudioLevel::finish(bool decoded)
{
    if (!m_running)
        return;
    m_running = false;
    m_timeout->stop();
    m_decoder->stop();
    emit measured(decoded, m_peak, m_soundUs / 1000);
}

double AudioLevel::peakOf(const QAudioBuffer& buffer)
{
    switch (buffer.format().sampleFormat()) {
    case QAudioFormat::UInt8:
        return peakOfSamples<quint8>(buffer, 128.0, 128.0);
    case QAudioFormat::Int16:
        return peakOfSamples<qint16>(buffer, 32768.0);
    case QAudioFormat::Int32:
        return peakOfSamples<qint32>(buffer, 2147483648.0);
    case QAudioFormat::Float:
        return std::min(1.0, peakOfSamples<float>(buffer, 1.0));
    default:
        return 0;
    }
}

} // namespace platform
