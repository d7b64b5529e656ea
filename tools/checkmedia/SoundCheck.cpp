#include "SoundCheck.h"

#include "FilePresence.h"
#include "SoundFile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The formats the bundled calls use and the player is made for. The decoder
// takes a few more (µ-law, 32-bit integers, other rates, more channels mixed
// down), so a file outside these still plays and only earns a warning; what
// the decoder refuses (ADPCM, a file cut short) is a problem.
const QStringList UsualEncodings = {u"8-bit PCM"_s, u"16-bit PCM"_s, u"24-bit PCM"_s, u"32-bit float"_s};
constexpr int MinRate = 8000;
constexpr int MaxRate = 48000;

// A call longer than this is most likely a whole field recording; the silence
// check looks at its first ten minutes only, a block at a time, so neither
// time nor memory grows with what the header claims.
constexpr double MaxCheckedSeconds = 600.0;

// A compressed recording decodes to float samples whatever its coding; only
// its channels and rate matter.
bool usual(const SoundFile& wav)
{
    return (wav.format() != u"WAV"_s || UsualEncodings.contains(wav.encoding())) &&
           (wav.channels() == 1 || wav.channels() == 2) && wav.sampleRate() >= MinRate &&
           wav.sampleRate() <= MaxRate;
}

QString formatText(const SoundFile& wav)
{
    const QString channels = wav.channels() == 1   ? u"mono"_s
                             : wav.channels() == 2 ? u"stereo"_s
                                                   : u"%1 channels"_s.arg(wav.channels());
    return u"%1, %2, %3 Hz"_s.arg(wav.encoding(), channels, QString::number(wav.sampleRate()));
}

} // namespace

Findings checkSound(const QString& path)
{
    if (const auto absent = checkPresent(path))
        return {*absent};

    QString why;
    const std::optional<SoundFile> header = SoundFile::read(path, &why, 0);
    if (!header)
        return {Finding::problem(u"the player cannot play it: %1"_s.arg(why))};
    // Ten minutes of 48 kHz stereo at most, however many channels and samples a
    // second the file declares: a header alone cannot make the check take minutes.
    const double samplesPerSecond = double(header->sampleRate()) * header->channels();
    const double seconds = std::min(MaxCheckedSeconds, MaxCheckedSeconds * 48000 * 2 / samplesPerSecond);
    float peak = 0;
    const std::optional<SoundFile> wav =
        SoundFile::scan(path, &why, seconds, [&peak](std::span<const float> samples) {
            for (const float sample : samples)
                if (std::isfinite(sample))
                    peak = std::max(peak, std::abs(sample));
        });
    if (!wav)
        return {Finding::problem(u"the player cannot play it: %1"_s.arg(why))};

    Findings findings;
    if (!usual(*wav)) {
        findings += Finding::warning(
            u"an unusual %1 format: %2 (the player is made for mono or stereo, %3–%4 Hz, "
            u"and in WAV 8-, 16- or 24-bit PCM or 32-bit float)"_s.arg(
                wav->format(), formatText(*wav), QString::number(MinRate), QString::number(MaxRate)));
    }
    if (peak == 0) {
        findings += Finding::problem(u"silent: every sample is zero"_s);
    } else if (const double dbfs = 20 * std::log10(double(peak)); dbfs < SilenceDbfs) {
        findings += Finding::problem(u"silent: its loudest sample is at %1 dBFS"_s.arg(dbfs, 0, 'f', 1));
    }
    return findings;
}
