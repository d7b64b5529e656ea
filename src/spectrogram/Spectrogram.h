#pragma once

#include <cstddef>
#include <span>
#include <vector>

// The spectrogram of a call as piyo shows it: levels in dB of full scale, one
// column of bins every hop, from 0 Hz up to a little above the top of the
// picture. Widget-free; computed on a worker.
struct Spectrogram
{
    int sampleRate = 0;
    std::size_t frameSize = 0; // samples a column's spectrum is taken over
    std::size_t hop = 0;       // samples from one column to the next
    std::size_t bins = 0;      // kept per column: 0 Hz up to (bins - 1) × binHz()
    double seconds = 0;        // the sound's length
    float loudestDb = -200;    // the loudest level of any bin
    std::vector<float> levels; // column after column, `bins` levels each

    std::size_t columns() const { return bins == 0 ? 0 : levels.size() / bins; }
    double binHz() const { return double(sampleRate) / double(frameSize); }
    // Column c is centred on this time.
    double columnSeconds(std::size_t column) const { return double(column * hop) / sampleRate; }
    float level(std::size_t column, std::size_t bin) const { return levels[column * bins + bin]; }
    bool isEmpty() const { return levels.empty(); }
};

namespace spectrogram {

// However long the sound, no more columns than this are computed (the view is
// under a thousand pixels wide at 300 %): a long or finely sampled call costs
// no more than about 30 s of 48 kHz would at the usual hop. Longer sounds are
// decimated in time by a longer hop.
inline constexpr std::size_t MaxColumns = 2400;
// Bins above this are not kept: the picture ends below it.
inline constexpr double KeptHz = 13000;
// The level a bin of pure silence reads.
inline constexpr float SilenceDb = -200;

// A frame of about 21 ms (1024 samples at 48 kHz, a power of two at any rate),
// a column every quarter frame unless the sound is too long for MaxColumns.
// Each column is centred on its time: the sound is taken as silent before its
// start and after its end.
Spectrogram analyse(std::span<const float> mono, int sampleRate);

} // namespace spectrogram
