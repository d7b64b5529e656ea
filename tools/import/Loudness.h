#pragma once

#include "RecordingImport.h"

#include <optional>

// One loudness for every call: a quiet flight call and a loud song are heard alike. Measured
// as EBU R128 integrated loudness, which gates out the pauses between calls, with the true
// peak (between the samples, as a player's converter makes it) kept below a ceiling.
namespace recordingimport {

inline constexpr double TargetLufs = -20.0;
inline constexpr double TruePeakCeilingDbtp = -1.0;

struct Loudness
{
    double integratedLufs = 0;
    double truePeakDbtp = 0;
};

// The loudness of a mono sound; none when it is too short or too quiet to measure (less
// than one 400 ms block above the absolute gate).
std::optional<Loudness> measureLoudness(const Sound& sound);

// Brings the sound to TargetLufs, or as near as the true-peak ceiling lets a very peaky
// call come. Returns the loudness it now has; a sound that cannot be measured is left as it
// is and none returned.
std::optional<Loudness> normaliseLoudness(Sound& sound);

} // namespace recordingimport
