#include "SoundOutput.h"

#include "SoundFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QIODevice>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>

namespace {

Q_LOGGING_CATEGORY(lcSound, "piyo.sound", QtWarningMsg)

// Calls and feedback sounds last a few seconds. Decoding only the start of a
// file keeps an oversized one from holding up the next sound: at most 30 s,
// and no more samples than 30 s of 48 kHz stereo however many channels it has
// (20 MB of 16-bit stereo then take about 20 ms).
constexpr double kMaxSeconds = 30.0;
constexpr double kMaxSamples = kMaxSeconds * 48000 * 2;

// What the sink holds ahead. The audio thread refills it every 20 ms; the
// buffer rides out a late refill (80 ms rides out a 40 ms delay), but
// PulseAudio also sets the device's own latency from it (20 ms for 80 ms),
// which adds to the start of every sound.
constexpr int kBufferMs = 80;

std::optional<SoundFile> decode(const QString& path)
{
    QString why;
    std::optional<SoundFile> wav = SoundFile::read(path, &why, 0); // the header alone
    if (wav) {
        const double samplesPerSecond = double(wav->sampleRate()) * wav->channels();
        wav = SoundFile::read(path, &why, std::min(kMaxSeconds, kMaxSamples / samplesPerSecond));
    }
    if (!wav)
        qCDebug(lcSound) << "not playing" << path << why;
    return wav;
}

// The decoded samples as the sink takes them: 32-bit float in [-1, 1] (a float
// file may hold anything, infinities and NaN included), mono or stereo. Files
// with more channels are mixed down to mono.
QByteArray toPcm(const SoundFile& wav)
{
    const std::vector<float>& in = wav.samples();
    const int channels = wav.channels();
    const int outChannels = channels == 2 ? 2 : 1;
    QByteArray pcm(wav.decodedFrames() * outChannels * qsizetype(sizeof(float)), Qt::Uninitialized);
    auto* out = reinterpret_cast<float*>(pcm.data());
    auto tame = [](float v) { return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f; };
    if (channels == outChannels) {
        std::transform(in.begin(), in.end(), out, tame);
    } else {
        for (auto frame = in.begin(); frame != in.end(); frame += channels)
            *out++ = tame(std::accumulate(frame, frame + channels, 0.0f) / float(channels));
    }
    return pcm;
}

// The same samples as toPcm() makes of them, mixed to mono for a picture of the sound.
std::shared_ptr<const std::vector<float>> toMono(const SoundFile& wav)
{
    const std::vector<float>& in = wav.samples();
    const int channels = wav.channels();
    auto tame = [](float v) { return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f; };
    auto mono = std::make_shared<std::vector<float>>(std::size_t(wav.decodedFrames()));
    auto out = mono->begin();
    for (auto frame = in.begin(); frame != in.end(); frame += channels) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += tame(frame[c]);
        *out++ = sum / float(channels);
    }
    return mono;
}

// How often the position is read from the sink and reported: about once a
// frame of a 60 Hz display.
constexpr int kPositionMs = 15;

} // namespace

// The sink pulls from this device. It plays the sound as many times as the
// repeat count says, wrapping round inside one read so that the passes join
// sample to sample, and after the last pass adds silence the length of the
// sink's buffer: it lets a sound shorter than that buffer start at all, and
// the end of the sound leaves the buffer before the stream goes idle.
class AudioLoop final : public QIODevice
{
public:
    AudioLoop(QByteArray pcm, qint64 tailBytes, QObject* parent)
        : QIODevice(parent), m_pcm(std::move(pcm)), m_tailBytes(tailBytes), m_finished(m_pcm.isEmpty())
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    // Read when the end of a pass is reached, so it may arrive after playback starts.
    void setRepeatCount(int count) { m_repeatCount.store(count); }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_finished && m_tailBytes == 0; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        qint64 written = 0;
        while (written < maxSize && !atEnd()) {
            if (m_finished) {
                const qint64 n = std::min(maxSize - written, m_tailBytes);
                std::memset(data + written, 0, std::size_t(n));
                m_tailBytes -= n;
                written += n;
            } else if (m_position < m_pcm.size()) {
                const qint64 n = std::min(maxSize - written, m_pcm.size() - m_position);
                std::memcpy(data + written, m_pcm.constData() + m_position, std::size_t(n));
                m_position += n;
                written += n;
            } else {
                endPass();
            }
        }
        return written;
    }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void endPass()
    {
        ++m_passesDone;
        const int count = m_repeatCount.load();
        if (count == 0 || m_passesDone < count)
            m_position = 0;
        else
            m_finished = true;
    }

    const QByteArray m_pcm;
    qint64 m_tailBytes;
    qint64 m_position = 0;
    int m_passesDone = 0;
    bool m_finished;
    std::atomic<int> m_repeatCount{1};
};

void SoundOutput::SinkDisposer::operator()(QAudioSink* sink) const
{
    // Stopping disconnects the stream, which silences it at once.
    sink->stop();
    delete sink;
}

SoundOutput::SoundOutput() = default;

SoundOutput::~SoundOutput() = default;

void SoundOutput::hide() {}

void SoundOutput::setSource(const QString& path)
{
    stop();

    const std::optional<SoundFile> wav = decode(path);
    if (!wav || wav->decodedFrames() == 0)
        return;
    m_passSeconds = double(wav->decodedFrames()) / wav->sampleRate();
    m_repeatCount = 1;
    // Told before the sink is asked for, so the picture comes even when no sound can.
    if (m_watcher.decoded)
        m_watcher.decoded({wav->sampleRate(), toMono(*wav)});
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        qCDebug(lcSound) << "no audio output";
        return;
    }

    QAudioFormat format;
    format.setSampleRate(wav->sampleRate());
    format.setChannelCount(wav->channels() == 2 ? 2 : 1); // as toPcm() makes it
    format.setSampleFormat(QAudioFormat::Float);

    m_sink.reset(new QAudioSink(device, format));
    m_sink->setBufferSize(format.bytesForDuration(qint64{kBufferMs} * 1000));
    m_loop = new AudioLoop(toPcm(*wav), m_sink->bufferSize(), m_sink.get());
    m_sink->start(m_loop);
    if (m_sink->error() != QAudio::NoError) {
        qCDebug(lcSound) << "audio output failed" << m_sink->error();
        stop();
        return;
    }
    if (m_watcher.position) {
        if (!m_positionTimer) {
            m_positionTimer = std::make_unique<QTimer>();
            m_positionTimer->setTimerType(Qt::PreciseTimer);
            m_positionTimer->setInterval(kPositionMs);
            QObject::connect(m_positionTimer.get(), &QTimer::timeout, m_positionTimer.get(),
                             [this] { reportPosition(); });
        }
        m_positionTimer->start();
    }
}

void SoundOutput::setRepeatCount(int count)
{
    if (m_loop && count >= 0) {
        m_loop->setRepeatCount(count);
        m_repeatCount = count;
    }
}

void SoundOutput::stop()
{
    const bool wasPlaying = m_positionTimer && m_positionTimer->isActive();
    if (m_positionTimer)
        m_positionTimer->stop();
    m_loop = nullptr;
    m_sink.reset();
    if (wasPlaying && m_watcher.position)
        m_watcher.position({0, false});
}

void SoundOutput::watch(SoundWatcher watcher)
{
    m_watcher = std::move(watcher);
}

// The sink's processed time is what the sound server has played of the stream,
// passes and all; the passes join sample to sample, so where the one being
// heard has got to is that time modulo a pass.
void SoundOutput::reportPosition()
{
    if (!m_sink || m_passSeconds <= 0)
        return;
    const double played = double(m_sink->processedUSecs()) / 1e6;
    const double passes = std::floor(played / m_passSeconds);
    if (m_repeatCount > 0 && passes >= m_repeatCount) {
        m_positionTimer->stop();
        m_watcher.position({0, false});
        return;
    }
    m_watcher.position({played - passes * m_passSeconds, true});
}
