// piyo-import's recording path: any file given as a recording (WAV, FLAC,
// Ogg, Opus, MP3 or whatever else libsndfile reads, told by content) must be
// refused with a reason, or become a mono call at 44.1 or 48 kHz peaking at
// -3 dBFS, stored as 16-bit WAV in the user's folder and played by the
// program. What a header declares (channels, frames) must not decide how much
// memory or time the import takes.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "RecordingImport.h"
#include "SafeWrite.h"
#include "SoundFile.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace recordingimport;
    static FuzzInput input(".wav");
    static FuzzFolder folder;

    QString error;
    const std::optional<Sound> mono =
        readMono(input.write(data, size), Stretch{}, &error, media::Links::Refuse);
    if (!mono) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(mono->sampleRate >= 1000 && mono->sampleRate <= 384000);
    FUZZ_CHECK(!mono->samples.empty() && std::int64_t(mono->samples.size()) <= MaxStretchFrames);
    for (const float sample : mono->samples)
        FUZZ_CHECK(std::isfinite(sample));

    const Sound sound = shape(*mono, Stretch{0.0, std::nullopt}, &error);
    if (sound.samples.empty()) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(sound.sampleRate == 44100 || sound.sampleRate == 48000);
    float peak = 0;
    for (const float sample : sound.samples) {
        FUZZ_CHECK(std::isfinite(sample));
        peak = std::max(peak, std::abs(sample));
    }
    FUZZ_CHECK(std::abs(20 * std::log10(peak) - PeakDbfs) < 0.01);

    const safewrite::Request request{
        folder.path(), QStringLiteral("声"), QStringLiteral("k1.wav"), {}, QStringLiteral(".replaced")};
    QStringList aside;
    QString why;
    FUZZ_CHECK(safewrite::install(
        request, [&sound](int fd, QString* why) { return writeWav16(sound, fd, why); }, &aside, &why));
    // What was imported, the program plays.
    const std::optional<SoundFile> call =
        SoundFile::read(folder.filePath(QStringLiteral("声/k1.wav")), &why, 0);
    FUZZ_CHECK(call && call->channels() == 1 && call->sampleRate() == sound.sampleRate &&
               call->fileFrames() == qint64(sound.samples.size()));
    folder.clear();
    return 0;
}
