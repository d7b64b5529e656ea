#include "WavWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

bool writeWav16(const std::string& path, const std::vector<float>& samples, int sampleRate,
                std::string* error)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        *error = sf_strerror(nullptr);
        return false;
    }
    // Rounded here rather than by libsndfile so the bytes are the same everywhere.
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(),
                   [](float s) { return short(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)); });
    const auto written = sf_write_short(file, pcm.data(), sf_count_t(pcm.size()));
    const bool ok = written == sf_count_t(pcm.size());
    if (!ok)
        *error = sf_strerror(file);
    if (sf_close(file) != 0 && ok) {
        *error = "cannot finish the file";
        return false;
    }
    return ok;
}
