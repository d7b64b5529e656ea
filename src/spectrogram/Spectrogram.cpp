#include "Spectrogram.h"

#include "Spectrum.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace spectrogram {

namespace {

constexpr std::size_t SmallestFrame = 256;
constexpr std::size_t LargestFrame = 16384;

// 1024 at 44.1 and 48 kHz: about 47 Hz a bin, fine enough to tell a whistle's
// pitch, short enough (21 ms) to keep a trill's notes apart.
std::size_t frameSizeFor(int sampleRate)
{
    const double wanted = double(sampleRate) * 1024.0 / 48000.0;
    const auto below = std::bit_floor(std::size_t(std::max(1.0, wanted)));
    const std::size_t nearest = wanted - double(below) < double(2 * below) - wanted ? below : 2 * below;
    return std::clamp(nearest, SmallestFrame, LargestFrame);
}

} // namespace

Spectrogram analyse(std::span<const float> mono, int sampleRate)
{
    Spectrogram result;
    if (sampleRate <= 0 || mono.empty())
        return result;
    result.sampleRate = sampleRate;
    result.frameSize = frameSizeFor(sampleRate);
    result.seconds = double(mono.size()) / sampleRate;
    const std::size_t quarter = result.frameSize / 4;
    const std::size_t fewest = (mono.size() + MaxColumns - 1) / MaxColumns;
    result.hop = std::max(quarter, fewest);
    result.bins = std::min(result.frameSize / 2 + 1, std::size_t(std::ceil(KeptHz / result.binHz())) + 1);
    const std::size_t columns = (mono.size() + result.hop - 1) / result.hop;
    result.levels.resize(columns * result.bins);

    spectrum::FrameAnalyser analyser(result.frameSize);
    std::vector<float> frame(result.frameSize), power(analyser.bins());
    const auto half = std::ptrdiff_t(result.frameSize / 2);
    float loudest = 0;
    for (std::size_t column = 0; column < columns; ++column) {
        // Samples centre - half .. centre + half, silence beyond the sound.
        const std::ptrdiff_t first = std::ptrdiff_t(column * result.hop) - half;
        const std::ptrdiff_t from = std::max<std::ptrdiff_t>(first, 0);
        const std::ptrdiff_t to = std::min<std::ptrdiff_t>(first + 2 * half, std::ptrdiff_t(mono.size()));
        std::fill(frame.begin(), frame.end(), 0.0f);
        for (std::ptrdiff_t i = from; i < to; ++i) {
            const float v = mono[std::size_t(i)];
            frame[std::size_t(i - first)] = std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
        }
        analyser.power(frame, power);
        float* out = result.levels.data() + column * result.bins;
        for (std::size_t bin = 0; bin < result.bins; ++bin) {
            loudest = std::max(loudest, power[bin]);
            out[bin] = power[bin] > 0 ? std::max(SilenceDb, 10 * std::log10(power[bin])) : SilenceDb;
        }
    }
    result.loudestDb = loudest > 0 ? std::max(SilenceDb, 10 * std::log10(loudest)) : SilenceDb;
    return result;
}

} // namespace spectrogram
