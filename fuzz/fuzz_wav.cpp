// Sound decoding (WAV, FLAC, Ogg Vorbis, Opus, MP3) as the sound player does
// it: the header checked first, then at most 30 s and no more samples than
// 30 s of 48 kHz stereo decoded. Any file must be refused with a reason or
// decoded into consistent samples.

#include "FuzzInput.h"
#include "SoundFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr double MaxSeconds = 30.0;
constexpr double MaxSamples = MaxSeconds * 48000 * 2;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInput input(".wav");
    const QString& path = input.write(data, size);

    QString why;
    const std::optional<SoundFile> header = SoundFile::read(path, &why, 0.0);
    if (!header) {
        check(!why.isEmpty());
        return 0;
    }
    check(header->sampleRate() > 0 && header->channels() > 0 && header->fileFrames() > 0);
    check(header->samples().empty());

    const double samplesPerSecond = double(header->sampleRate()) * header->channels();
    const double seconds = std::min(MaxSeconds, MaxSamples / samplesPerSecond);
    const std::optional<SoundFile> wav = SoundFile::read(path, &why, seconds);
    check(wav.has_value()); // a file whose header passed decodes
    check(wav->sampleRate() == header->sampleRate() && wav->channels() == header->channels());
    check(qint64(wav->samples().size()) == wav->decodedFrames() * wav->channels());
    check(wav->decodedFrames() <= wav->fileFrames());
    check(double(wav->samples().size()) <= MaxSamples + wav->channels());
    return 0;
}
