#pragma once

#include "CallTable.h"

#include <cstdint>
#include <random>
#include <vector>

// Renders a call into mono samples at 44.1 kHz: a few milliseconds of lead-in,
// the phrases, then silence. The loudest sample ends up at -3 dBFS.
class Synthesizer
{
public:
    static constexpr int kSampleRate = 44100;

    // The same seed gives the same samples, so a rebuild leaves the media unchanged.
    explicit Synthesizer(std::uint32_t seed);

    // A bird's call takes as many phrases as fit in maxSeconds, with a pause after the
    // last; shorter ones are padded with silence up to minSeconds.
    std::vector<float> render(const Call& call, double minSeconds, double maxSeconds);

private:
    // How one saying of a phrase differs from the others.
    struct Take
    {
        double start = 0, pitch = 1, tempo = 1, level = 1;
    };

    std::vector<Take> planTakes(const Call& call, double maxSeconds);
    // Adds a phrase and returns where its last note ends.
    double addPhrase(const Phrase& phrase, const Take& take);
    // Adds one note at `start` seconds with its contour scaled by pitchFactor and
    // its loudness by `level`; returns where it ends.
    double addNote(const Note& note, double start, double seconds, double pitchFactor, double level);
    // Uniform in [-1, 1), the same on every platform.
    double uniform();

    std::mt19937 m_random;
    std::vector<double> m_mix;
};
