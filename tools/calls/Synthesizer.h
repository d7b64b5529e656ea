#pragma once

#include "CallTable.h"

#include <cstdint>
#include <random>
#include <vector>

// Renders a call into mono samples at 44.1 kHz: a few milliseconds of lead-in,
// the phrase, then silence. The loudest sample ends up at -3 dBFS.
class Synthesizer
{
public:
    static constexpr int kSampleRate = 44100;

    // The same seed gives the same samples, so a rebuild leaves the media unchanged.
    explicit Synthesizer(std::uint32_t seed);

    // Shorter calls are padded with silence up to minSeconds.
    std::vector<float> render(const Call& call, double minSeconds);

private:
    // Adds one note at `start` seconds with its contour scaled by pitchFactor;
    // returns where it ends.
    double addNote(const Note& note, double start, double pitchFactor);
    // Uniform in [-1, 1), the same on every platform.
    double uniform();

    std::mt19937 m_random;
    std::vector<double> m_mix;
};
