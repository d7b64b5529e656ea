#include "audiotestfiles.h"

#include <QFile>

#include <cmath>
#include <numbers>
#include <vector>

bool writeToneFile(const QString& path, const QList<AudioTone>& tones, int sampleRate, int channels,
                   int format)
{
    std::vector<float> samples;
    double phase = 0;
    for (const AudioTone& tone : tones) {
        const auto frames = qint64(std::llround(tone.seconds * sampleRate));
        for (qint64 i = 0; i < frames; ++i) {
            const float value = tone.hz > 0 ? float(0.5 * std::sin(phase)) : 0.0f;
            phase += 2 * std::numbers::pi * tone.hz / sampleRate;
            for (int c = 0; c < channels; ++c)
                samples.push_back(value);
        }
    }
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    const bool complete = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && complete;
}

double tonesSeconds(const QList<AudioTone>& tones)
{
    double seconds = 0;
    for (const AudioTone& tone : tones)
        seconds += tone.seconds;
    return seconds;
}
