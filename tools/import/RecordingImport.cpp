#include "RecordingImport.h"

#include "MediaLimits.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace recordingimport {
namespace {

// Longer recordings are refused rather than scanned for hours: four hours at 48 kHz.
constexpr sf_count_t MaxFrames = sf_count_t(48000) * 3600 * 4;

struct SndFileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

// Reads up to frames frames from the current place, mixed down to mono, a block at a time.
// Each block goes to take; returns the frames read.
template <class Take> sf_count_t readBlocks(SNDFILE* file, int channels, sf_count_t frames, Take take)
{
    // No larger than what is asked for: a few frames of a thousand channels need no 16 MB block.
    const sf_count_t blockFrames = std::max<sf_count_t>(
        1, std::min<sf_count_t>(
               {media::limits::SoundBlockFrames, media::limits::MaxSoundSamplesAtOnce / channels, frames}));
    std::vector<float> block(std::size_t(blockFrames) * std::size_t(channels));
    std::vector<float> mono(static_cast<std::size_t>(blockFrames));
    sf_count_t done = 0;
    while (done < frames) {
        const sf_count_t got = sf_readf_float(file, block.data(), std::min(blockFrames, frames - done));
        if (got <= 0)
            break;
        for (sf_count_t f = 0; f < got; ++f) {
            float sum = 0;
            for (int c = 0; c < channels; ++c)
                sum += block[std::size_t(f * channels + c)];
            // A float file may hold anything: what cannot be heard counts as silence.
            mono[std::size_t(f)] = std::isfinite(sum) ? sum / float(channels) : 0.0f;
        }
        take(mono.data(), got);
        done += got;
    }
    return done;
}

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
        // Clamped as a double first: a huge or infinite number of seconds has no size_t.
        const auto at = [&](double seconds) {
            const double frame = std::isfinite(seconds) ? std::max(0.0, seconds) * rate + 0.5 : 0.0;
            return std::size_t(std::min(frame, double(total)));
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
    std::vector<float> kept(mono.samples.begin() + std::ptrdiff_t(first),
                            mono.samples.begin() + std::ptrdiff_t(last));
    // A float recording may hold samples far beyond full scale: brought within it first,
    // or the resampler's sums overflow and the call is written as infinities and NaNs.
    float keptPeak = 0;
    for (const float s : kept)
        keptPeak = std::max(keptPeak, std::abs(s));
    if (keptPeak > 1.0f)
        for (float& s : kept)
            s /= keptPeak;
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

std::optional<Sound> readMono(const QString& path, const Stretch& stretch, QString* error, media::Links links)
{
    const media::FileDescriptor fd(media::openRegularFile(path, error, links));
    if (!fd.isOpen())
        return std::nullopt;
    SF_INFO info{};
    const SndFilePtr file(sf_open_fd(fd.get(), SFM_READ, &info, SF_FALSE));
    if (!file) {
        *error = QString::fromUtf8(sf_strerror(nullptr));
        return std::nullopt;
    }
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 384000 || info.frames < 1 ||
        info.frames > MaxFrames) {
        *error = u"not a recording piyo can take (%1 channels, %2 Hz, %3 frames)"_s.arg(info.channels)
                     .arg(info.samplerate)
                     .arg(info.frames);
        return std::nullopt;
    }
    const double rate = info.samplerate;
    const double seconds = double(info.frames) / rate;
    sf_count_t first = 0;
    sf_count_t count = info.frames;
    if (stretch.from || stretch.to) {
        const double from = stretch.from.value_or(0.0);
        const double to = stretch.to.value_or(seconds);
        if (from >= seconds || to > seconds + 0.0005) {
            *error = u"the stretch asked for (%1–%2 s) is not in the recording, which is %3 s long"_s
                         .arg(from, 0, 'f', 1)
                         .arg(to, 0, 'f', 1)
                         .arg(seconds, 0, 'f', 1);
            return std::nullopt;
        }
        first = sf_count_t(from * rate + 0.5);
        count = std::min(info.frames, sf_count_t(to * rate + 0.5)) - first;
    } else if (info.frames > sf_count_t(DefaultSeconds * rate)) {
        // First pass: the loudness of every 10 ms; the loudest stretch is read afterwards.
        const sf_count_t step = std::max(1, info.samplerate / 100);
        std::vector<double> energies;
        double energy = 0;
        sf_count_t inStep = 0;
        readBlocks(file.get(), info.channels, info.frames, [&](const float* mono, sf_count_t frames) {
            for (sf_count_t f = 0; f < frames; ++f) {
                energy += double(mono[f]) * mono[f];
                if (++inStep == step) {
                    energies.push_back(energy);
                    energy = 0;
                    inStep = 0;
                }
            }
        });
        const std::size_t blocks = std::size_t(DefaultSeconds * rate) / std::size_t(step);
        double window = 0;
        double best = -1;
        std::size_t bestBlock = 0;
        for (std::size_t b = 0; b < energies.size(); ++b) {
            window += energies[b];
            if (b >= blocks)
                window -= energies[b - blocks];
            if (b + 1 >= blocks && window > best) {
                best = window;
                bestBlock = b + 1 - blocks;
            }
        }
        first = sf_count_t(bestBlock) * step;
        count = sf_count_t(DefaultSeconds * rate);
    }
    if (count > MaxStretchFrames) {
        *error = u"the stretch is %1 s long; piyo takes up to %2 s (at 48 kHz) of a recording: "
                 u"choose one with --from and --to"_s.arg(double(count) / rate, 0, 'f', 1)
                     .arg(MaxStretchFrames / 48000);
        return std::nullopt;
    }
    if (sf_seek(file.get(), first, SEEK_SET) != first) {
        *error = u"cannot find %1 s in the recording"_s.arg(double(first) / rate, 0, 'f', 1);
        return std::nullopt;
    }
    Sound sound;
    sound.sampleRate = info.samplerate;
    sound.samples.reserve(std::size_t(count));
    readBlocks(file.get(), info.channels, count, [&](const float* mono, sf_count_t frames) {
        sound.samples.insert(sound.samples.end(), mono, mono + frames);
    });
    if (sound.samples.empty()) {
        *error = u"no sound in the file"_s;
        return std::nullopt;
    }
    return sound;
}

bool writeWav16(const Sound& sound, int fd, QString* error)
{
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE);
    if (!file) {
        *error = QString::fromUtf8(sf_strerror(nullptr));
        return false;
    }
    const sf_count_t written = sf_writef_float(file, sound.samples.data(), sf_count_t(sound.samples.size()));
    const QString writeError = QString::fromUtf8(sf_strerror(file));
    const bool closed = sf_close(file) == 0;
    if (written != sf_count_t(sound.samples.size()) || !closed) {
        *error = u"cannot write the recording: %1"_s.arg(writeError);
        return false;
    }
    return true;
}

bool writeWav16(const Sound& sound, const QString& target, QString* error)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (!writeWav16(sound, int(file.handle()), error))
        return false;
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace recordingimport
