#pragma once

#include <QList>
#include <QString>

#include <sndfile.h>

// One stretch of a generated test sound: a sine at hz (0: silence).
struct AudioTone
{
    double hz;
    double seconds;
};

// Writes the tones one after another, at half full scale, as a sound file of
// the given libsndfile format (a WAV of 16-bit PCM unless told otherwise).
bool writeToneFile(const QString& path, const QList<AudioTone>& tones, int sampleRate = 48000,
                   int channels = 1, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16);

// Total length of the tones.
double tonesSeconds(const QList<AudioTone>& tones);
