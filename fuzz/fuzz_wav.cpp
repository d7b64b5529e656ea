// WAV decoding as the sound player does it (the first 30 s of a call): any
// file must be refused or decoded into consistent samples, never crash.

#include "FuzzInput.h"
#include "WavFile.h"

#include <cstdint>
#include <cstdlib>

namespace {
constexpr double PlayerSeconds = 30.0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInput input(".wav");
    const QString& path = input.write(data, size);

    QString why;
    const std::optional<WavFile> wav = WavFile::read(path, &why, PlayerSeconds);
    if (!wav) {
        if (why.isEmpty()) // a refused file always says why
            std::abort();
        return 0;
    }
    if (wav->sampleRate() <= 0 || wav->channels() <= 0 || wav->decodedFrames() <= 0)
        std::abort();
    if (qint64(wav->samples().size()) != wav->decodedFrames() * wav->channels())
        std::abort();
    if (wav->decodedFrames() > wav->fileFrames())
        std::abort();
    if (double(wav->decodedFrames()) > PlayerSeconds * wav->sampleRate() + 1)
        std::abort();

    // Checking without decoding agrees with decoding.
    if (!WavFile::read(path, nullptr, 0.0))
        std::abort();
    return 0;
}
