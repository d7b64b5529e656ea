#pragma once

#include "MediaFile.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// A recording made to suit a call that repeats while its bird is shown: one voice (mono),
// a rate the sound server takes as it is, the stretch worth hearing, no click where the
// repeat joins, a level like the other calls, and a pause before the bird calls again.
namespace recordingimport {

inline constexpr double PeakDbfs = -3.0;
inline constexpr double DefaultSeconds = 10.0; // the loudest stretch this long, unless told
inline constexpr double FadeSeconds = 0.005;
inline constexpr double PauseSeconds = 1.0; // silence at the end, before the repeat

struct Stretch
{
    std::optional<double> from; // seconds from the start of the recording
    std::optional<double> to;
};

struct Sound
{
    std::vector<float> samples; // mono
    int sampleRate = 0;
};

// 44.1 kHz for rates of that family (11025, 22050, 88200 ...), else 48 kHz.
int targetRate(int sourceRate);

// The first and one past the last sample of the stretch to keep: the one asked for, or
// the loudest DefaultSeconds (the whole recording when it is shorter).
std::pair<std::size_t, std::size_t> chooseStretch(const std::vector<float>& mono, int rate,
                                                  const Stretch& stretch);

// Trims, resamples, fades in and out, brings the peak to PeakDbfs and adds the pause. An
// empty sound and the reason when nothing is left to hear (silence, or a stretch outside
// the recording).
Sound shape(const Sound& mono, const Stretch& stretch, QString* error);

// The most frames of a stretch taken from a recording: five minutes at 48 kHz. A call
// repeats while its bird is shown; a longer stretch is a mistake, and would take hundreds
// of megabytes to shape.
inline constexpr std::int64_t MaxStretchFrames = std::int64_t(48000) * 300;

// Decodes any file libsndfile reads (WAV, FLAC, Ogg Vorbis, Opus, MP3) to mono, and only
// the stretch to keep: the one asked for (it must lie within the recording), or else the
// loudest DefaultSeconds, found in a first pass over the whole recording that keeps only
// the loudness of each 10 ms. Memory stays bounded whatever the file declares.
std::optional<Sound> readMono(const QString& path, const Stretch& stretch, QString* error,
                              media::Links links = media::Links::Follow);

// 16-bit PCM WAV, written to fd.
bool writeWav16(const Sound& sound, int fd, QString* error);
// The same, beside target under a temporary name and renamed over it.
bool writeWav16(const Sound& sound, const QString& target, QString* error);

} // namespace recordingimport
