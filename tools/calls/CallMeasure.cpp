#include "CallMeasure.h"

#include "Spectrum.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLowestBandHz = 125;
constexpr int kBands = 26;              // quarter octaves: 125 Hz to 11.3 kHz
constexpr double kEnvelopeStep = 0.005; // seconds per loudness reading
constexpr double kNoteOnDb = -25;       // a note starts this far below the call's loudest moment
constexpr double kNoteOffDb = -32;      // and ends this far below, so a trill's dips do not split it
constexpr double kShortestGap = 0.015;
constexpr double kShortestNote = 0.012;
constexpr double kPhraseBreak = 0.33;
constexpr double kDbPerOctave = 10;
constexpr double kFloorDb = -40; // quieter bands than this do not count

std::vector<double> bandSpectrum(const std::vector<float>& samples, int sampleRate)
{
    constexpr std::size_t frame = 4096;
    std::vector<double> energy(kBands, 0.0);
    for (const std::vector<float>& power : spectrum::powerSpectra(samples, frame, frame / 2)) {
        for (std::size_t bin = 1; bin < power.size(); ++bin) {
            const double hz = double(bin) * sampleRate / double(frame);
            const int band = int(std::floor(4 * std::log2(hz / kLowestBandHz)));
            if (band >= 0 && band < kBands)
                energy[std::size_t(band)] += power[bin];
        }
    }
    // Neighbouring bands are heard together: a shift of a harmonic by a quarter
    // octave matters less than a shift of the whole sound.
    std::vector<double> smooth(kBands);
    for (int i = 0; i < kBands; ++i)
        smooth[std::size_t(i)] = (energy[std::size_t(std::max(0, i - 1))] + 2 * energy[std::size_t(i)] +
                                  energy[std::size_t(std::min(kBands - 1, i + 1))]) /
                                 4;
    const double loudest = std::max(1e-30, *std::max_element(smooth.begin(), smooth.end()));
    for (double& e : smooth)
        e = std::max(kFloorDb, 10 * std::log10(e / loudest + 1e-30));
    return smooth;
}

struct Span
{
    double start, end;
};

// Notes are the spans where the loudness stays within reach of the loudest moment.
std::vector<Span> findNotes(const std::vector<float>& samples, int sampleRate)
{
    const auto step = std::size_t(kEnvelopeStep * sampleRate);
    std::vector<double> db;
    for (std::size_t start = 0; start + step <= samples.size(); start += step) {
        double sum = 0;
        for (std::size_t i = start; i < start + step; ++i)
            sum += double(samples[i]) * samples[i];
        db.push_back(10 * std::log10(sum / double(step) + 1e-20));
    }
    if (db.empty())
        return {};
    const double loudest = *std::max_element(db.begin(), db.end());
    std::vector<Span> notes;
    bool on = false;
    for (std::size_t i = 0; i < db.size(); ++i) {
        const double t = double(i) * kEnvelopeStep;
        if (!on && db[i] > loudest + kNoteOnDb) {
            on = true;
            if (!notes.empty() && t - notes.back().end < kShortestGap)
                notes.back().end = t + kEnvelopeStep; // a flicker, not a new note
            else
                notes.push_back({t, t + kEnvelopeStep});
        } else if (on && db[i] < loudest + kNoteOffDb) {
            on = false;
        }
        if (on)
            notes.back().end = t + kEnvelopeStep;
    }
    std::erase_if(notes, [](const Span& n) { return n.end - n.start < kShortestNote; });
    return notes;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

double octaves(double a, double b)
{
    return std::log2(std::max(a, 1e-3) / std::max(b, 1e-3));
}

} // namespace

CallProfile profileOf(const std::vector<float>& samples, int sampleRate)
{
    CallProfile profile;
    profile.bands = bandSpectrum(samples, sampleRate);
    const std::vector<Span> notes = findNotes(samples, sampleRate);
    profile.notes = int(notes.size());
    std::vector<double> lengths, onsets;
    int phrases = notes.empty() ? 0 : 1;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        lengths.push_back(notes[i].end - notes[i].start);
        if (i + 1 < notes.size()) {
            onsets.push_back(std::min(3.0, notes[i + 1].start - notes[i].start));
            if (notes[i + 1].start - notes[i].end >= kPhraseBreak)
                ++phrases;
        }
    }
    profile.noteSeconds = median(lengths);
    profile.onsetSeconds = onsets.empty() ? 3.0 : median(onsets);
    profile.notesPerPhrase = phrases > 0 ? double(notes.size()) / phrases : 0;
    return profile;
}

double spectrumDistance(const CallProfile& a, const CallProfile& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.bands.size(); ++i)
        sum += (a.bands[i] - b.bands[i]) * (a.bands[i] - b.bands[i]);
    return std::sqrt(sum / double(a.bands.size()));
}

double rhythmDistance(const CallProfile& a, const CallProfile& b)
{
    const double note = octaves(a.noteSeconds, b.noteSeconds);
    const double onset = octaves(a.onsetSeconds, b.onsetSeconds);
    const double count = octaves(a.notesPerPhrase, b.notesPerPhrase);
    return std::sqrt((note * note + onset * onset + count * count) / 3);
}

double callDistance(const CallProfile& a, const CallProfile& b)
{
    return std::hypot(spectrumDistance(a, b), kDbPerOctave * rhythmDistance(a, b));
}
