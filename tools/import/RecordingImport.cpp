#include "RecordingImport.h"

#include <QFile>
#include <QFileInfo>

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace recordingimport {
namespace {

// Longer recordings are refused rather than decoded into gigabytes: an hour at 48 kHz.
constexpr sf_count_t MaxFrames = sf_count_t(48000) * 3600;

std::vector<float> resample(const std::vector<float>& samples, int from, int to, QString* error)
{
    if (from == to)
        return samples;
    const double ratio = double(to) / from;
    std::vector<float> out(std::size_t(std::ceil(samples.size() * ratio)) + 16);
    SRC_DATA data{};
    data.data_in = samples.data();
    data.input_frames = long(samples.size());
    data.data_out = out.data();
    data.output_frames = long(out.size());
    data.src_ratio = ratio;
    if (const int failure = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1)) {
        *error = QString::fromUtf8(src_strerror(failure));
        return {};
    }
    out.resize(std::size_t(data.output_frames_gen));
    return out;
}

void fade(std::vector<float>& samples, int rate)
{
    const std::size_t length = std::min(samples.size() / 2, std::size_t(FadeSeconds * rate));
    for (std::size_t i = 0; i < length; ++i) {
        // Half a cosine: no corner at either end of the fade.
        const float gain = float(0.5 - 0.5 * std::cos(M_PI * double(i) / double(length)));
        samples[i] *= gain;
        samples[samples.size() - 1 - i] *= gain;
    }
    if (!samples.empty()) {
        samples.front() = 0;
        samples.back() = 0;
    }
}

} // namespace

int targetRate(int sourceRate)
{
    return sourceRate % 11025 == 0 ? 44100 : 48000;
}

std::pair<std::size_t, std::size_t> chooseStretch(const std::vector<float>& mono, int rate,
                                                  const Stretch& stretch)
{
    const std::size_t total = mono.size();
    if (stretch.from || stretch.to) {
        const auto at = [&](double seconds) {
            return std::min(total, std::size_t(std::max(0.0, seconds) * rate + 0.5));
        };
        const std::size_t first = at(stretch.from.value_or(0));
        const std::size_t last = stretch.to ? at(*stretch.to) : total;
        return {first, std::max(first, last)};
    }
    const std::size_t window = std::size_t(DefaultSeconds * rate);
    if (total <= window)
        return {0, total};
    // The window with the most energy, moved in steps of 10 ms over running sums.
    const std::size_t step = std::max<std::size_t>(1, std::size_t(rate) / 100);
    std::vector<double> sums{0};
    for (std::size_t i = 0; i < total; i += step) {
        double energy = 0;
        for (std::size_t j = i; j < std::min(total, i + step); ++j)
            energy += double(mono[j]) * mono[j];
        sums.push_back(sums.back() + energy);
    }
    const std::size_t blocks = window / step;
    std::size_t best = 0;
    double bestEnergy = -1;
    for (std::size_t b = 0; b + blocks < sums.size(); ++b)
        if (const double energy = sums[b + blocks] - sums[b]; energy > bestEnergy) {
            bestEnergy = energy;
            best = b;
        }
    const std::size_t first = best * step;
    return {first, std::min(total, first + window)};
}

Sound shape(const Sound& mono, const Stretch& stretch, QString* error)
{
    const auto [first, last] = chooseStretch(mono.samples, mono.sampleRate, stretch);
    if (last <= first) {
        *error = u"the stretch asked for is not in the recording"_s;
        return {};
    }
    const std::vector<float> kept(mono.samples.begin() + std::ptrdiff_t(first),
                                  mono.samples.begin() + std::ptrdiff_t(last));
    Sound out;
    out.sampleRate = targetRate(mono.sampleRate);
    out.samples = resample(kept, mono.sampleRate, out.sampleRate, error);
    if (out.samples.empty()) {
        if (error->isEmpty())
            *error = u"the stretch is too short"_s;
        return {};
    }
    fade(out.samples, out.sampleRate);
    float peak = 0;
    for (float s : out.samples)
        peak = std::max(peak, std::abs(s));
    if (peak < 1e-5f) {
        *error = u"the stretch is silent"_s;
        return {};
    }
    const float gain = float(std::pow(10.0, PeakDbfs / 20.0)) / peak;
    for (float& s : out.samples)
        s *= gain;
    out.samples.resize(out.samples.size() + std::size_t(PauseSeconds * out.sampleRate), 0.0f);
    return out;
}

std::optional<Sound> readMono(const QString& path, QString* error)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) {
        *error = QString::fromUtf8(sf_strerror(nullptr));
        return std::nullopt;
    }
    if (info.channels < 1 || info.samplerate < 1000 || info.frames > MaxFrames) {
        sf_close(file);
        *error = u"not a recording piyo can take (%1 channels, %2 Hz, %3 frames)"_s.arg(info.channels)
                     .arg(info.samplerate)
                     .arg(info.frames);
        return std::nullopt;
    }
    Sound sound;
    sound.sampleRate = info.samplerate;
    std::vector<float> block(std::size_t(4096) * std::size_t(info.channels));
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, block.data(), 4096);
        if (frames <= 0)
            break;
        for (sf_count_t f = 0; f < frames; ++f) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[std::size_t(f * info.channels + c)];
            sound.samples.push_back(sum / float(info.channels));
        }
        if (sf_count_t(sound.samples.size()) > MaxFrames)
            break;
    }
    sf_close(file);
    if (sound.samples.empty()) {
        *error = u"no sound in the file"_s;
        return std::nullopt;
    }
    return sound;
}

bool writeWav16(const Sound& sound, const QString& target, QString* error)
{
    const QString partial = target + u".part"_s;
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(partial).constData(), SFM_WRITE, &info);
    if (!file) {
        *error = QString::fromUtf8(sf_strerror(nullptr));
        return false;
    }
    const sf_count_t written = sf_writef_float(file, sound.samples.data(), sf_count_t(sound.samples.size()));
    const bool closed = sf_close(file) == 0;
    if (written != sf_count_t(sound.samples.size()) || !closed) {
        *error = u"cannot write %1"_s.arg(partial);
        QFile::remove(partial);
        return false;
    }
    // rename(2) replaces the old file in one step: a reader sees the old call or the new one.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = u"cannot rename %1 to %2"_s.arg(partial, target);
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace recordingimport
