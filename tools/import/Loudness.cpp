#include "Loudness.h"

#include <ebur128.h>

#include <cmath>
#include <memory>

namespace recordingimport {
namespace {

struct StateDeleter
{
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

} // namespace

std::optional<Loudness> measureLoudness(const Sound& sound)
{
    if (sound.samples.empty() || sound.sampleRate <= 0)
        return std::nullopt;
    const std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(1, unsigned(sound.sampleRate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
    if (!state ||
        ebur128_add_frames_float(state.get(), sound.samples.data(), sound.samples.size()) != EBUR128_SUCCESS)
        return std::nullopt;
    double lufs = 0;
    double truePeak = 0;
    if (ebur128_loudness_global(state.get(), &lufs) != EBUR128_SUCCESS ||
        ebur128_true_peak(state.get(), 0, &truePeak) != EBUR128_SUCCESS)
        return std::nullopt;
    // Silence, or nothing above the gate, measures as minus infinity.
    if (!std::isfinite(lufs) || !(truePeak > 0))
        return std::nullopt;
    return Loudness{lufs, 20 * std::log10(truePeak)};
}

std::optional<Loudness> normaliseLoudness(Sound& sound)
{
    const std::optional<Loudness> measured = measureLoudness(sound);
    if (!measured)
        return std::nullopt;
    const double gainDb =
        std::min(TargetLufs - measured->integratedLufs, TruePeakCeilingDbtp - measured->truePeakDbtp);
    const auto gain = float(std::pow(10.0, gainDb / 20));
    for (float& sample : sound.samples)
        sample *= gain;
    return Loudness{measured->integratedLufs + gainDb, measured->truePeakDbtp + gainDb};
}

} // namespace recordingimport
