#pragma once

#include <vector>

// What a listener compares when telling two calls apart: where the sound sits in
// pitch and timbre (its average spectrum) and how it is timed (its rhythm). The
// spectra are measured with the program's own (src/spectrogram/Spectrum.h).

struct CallProfile
{
    // Energy in quarter-octave bands from 125 Hz, in dB below the loudest band, floored at -40 dB.
    std::vector<double> bands;
    double noteSeconds = 0;    // median length of a note
    double onsetSeconds = 0;   // median time from the start of a note to the start of the next
    double notesPerPhrase = 0; // notes between silences of a third of a second or more
    int notes = 0;
};

CallProfile profileOf(const std::vector<float>& samples, int sampleRate);

// RMS difference of the band spectra, in dB.
double spectrumDistance(const CallProfile& a, const CallProfile& b);
// RMS difference of the rhythm measures, in octaves (1 = twice as long, or twice as many notes).
double rhythmDistance(const CallProfile& a, const CallProfile& b);
// Both in one figure: one octave of rhythm counts as much as 10 dB of spectrum.
double callDistance(const CallProfile& a, const CallProfile& b);
