#include "SoundFile.h"

#include "MediaFile.h"
#include "MediaLimits.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct SndFileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

struct Encoding
{
    int subtype;
    int bytesPerSample;
    QStringView name;
};

// The WAV encodings whose data length follows from the frame count, so that a
// file cut short can be told from a complete one.
constexpr Encoding kEncodings[] = {
    {SF_FORMAT_PCM_U8, 1, u"8-bit PCM"},    {SF_FORMAT_PCM_S8, 1, u"8-bit PCM"},
    {SF_FORMAT_PCM_16, 2, u"16-bit PCM"},   {SF_FORMAT_PCM_24, 3, u"24-bit PCM"},
    {SF_FORMAT_PCM_32, 4, u"32-bit PCM"},   {SF_FORMAT_FLOAT, 4, u"32-bit float"},
    {SF_FORMAT_DOUBLE, 8, u"64-bit float"}, {SF_FORMAT_ULAW, 1, u"\u00b5-law"},
    {SF_FORMAT_ALAW, 1, u"A-law"},
};

// The compressed formats a recorder or a sound archive gives, each with the
// coding libsndfile reports for it. Their frame counts come from the stream's
// own header (FLAC, Ogg) or an encoder's tag (MP3), so a file cut short is
// played as far as it goes.
struct Compressed
{
    int container;
    int subtype;
    QStringView format;
    QStringView encoding;
};
constexpr Compressed kCompressed[] = {
    {SF_FORMAT_FLAC, SF_FORMAT_PCM_S8, u"FLAC", u"8-bit"},
    {SF_FORMAT_FLAC, SF_FORMAT_PCM_16, u"FLAC", u"16-bit"},
    {SF_FORMAT_FLAC, SF_FORMAT_PCM_24, u"FLAC", u"24-bit"},
    {SF_FORMAT_OGG, SF_FORMAT_VORBIS, u"Ogg Vorbis", u"Vorbis"},
    {SF_FORMAT_OGG, SF_FORMAT_OPUS, u"Ogg Opus", u"Opus"},
    {SF_FORMAT_MPEG, SF_FORMAT_MPEG_LAYER_III, u"MP3", u"MPEG layer III"},
    {SF_FORMAT_MPEG, SF_FORMAT_MPEG_LAYER_II, u"MP2", u"MPEG layer II"},
};

// Rates a sound server can play. Qt's PulseAudio output divides by the bytes
// in 20 ms, so a rate too low for one frame in 20 ms would crash it.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;

const Encoding* findEncoding(int subtype)
{
    const auto* it = std::find_if(std::begin(kEncodings), std::end(kEncodings),
                                  [subtype](const Encoding& e) { return e.subtype == subtype; });
    return it == std::end(kEncodings) ? nullptr : it;
}

const Compressed* findCompressed(int format)
{
    const int container = format & SF_FORMAT_TYPEMASK;
    const int subtype = format & SF_FORMAT_SUBMASK;
    const auto* it = std::find_if(std::begin(kCompressed), std::end(kCompressed), [=](const Compressed& c) {
        return c.container == container && c.subtype == subtype;
    });
    return it == std::end(kCompressed) ? nullptr : it;
}

bool isWav(int format)
{
    const int container = format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX;
}

// libsndfile's own name for a container or encoding ("AIFF (Apple/SGI)", "IMA ADPCM").
QString formatName(int format, int command)
{
    SF_FORMAT_INFO info{};
    info.format = format;
    if (sf_command(nullptr, command, &info, sizeof info) != 0 || !info.name)
        return u"format 0x%1"_s.arg(format, 0, 16);
    return QString::fromUtf8(info.name);
}

QString openError(int error)
{
    switch (error) {
    case SF_ERR_UNRECOGNISED_FORMAT:
        return u"not a sound file libsndfile recognises"_s;
    case SF_ERR_UNSUPPORTED_ENCODING:
        return u"unsupported encoding"_s;
    case SF_ERR_MALFORMED_FILE:
        return u"damaged or truncated header: %1"_s.arg(QString::fromUtf8(sf_error_number(error)));
    default:
        return u"cannot be opened: %1"_s.arg(QString::fromUtf8(sf_error_number(error)));
    }
}

// Size of the data chunk as the header declares it, or -1 when unknown.
// libsndfile quietly shortens the frame count of a file that ends early;
// comparing the two is how a truncated file is caught.
qint64 declaredDataBytes(SNDFILE* file)
{
    SF_CHUNK_INFO wanted{};
    std::memcpy(wanted.id, "data", 4);
    wanted.id_size = 4;
    SF_CHUNK_ITERATOR* it = sf_get_chunk_iterator(file, &wanted);
    if (!it)
        return -1;
    SF_CHUNK_INFO found{};
    if (sf_get_chunk_size(it, &found) != SF_ERR_NO_ERROR)
        return -1;
    return found.datalen;
}

bool decodesAtAll(SNDFILE* file, const SF_INFO& info)
{
    const sf_count_t probeFrames = std::min<sf_count_t>(1024, info.frames);
    std::vector<float> probe(std::size_t(probeFrames * info.channels));
    return sf_readf_float(file, probe.data(), probeFrames) > 0;
}

// Opens the file on fd and refuses what would not play properly, filling in
// sound's description; the caller then decodes from the returned file.
SndFilePtr openChecked(int fd, SoundFile::Header& sound, SF_INFO& sfInfo, QString* why)
{
    auto fail = [why](QString reason) {
        if (why)
            *why = std::move(reason);
        return SndFilePtr();
    };
    if (::lseek(fd, 0, SEEK_END) == 0)
        return fail(u"empty file"_s);
    ::lseek(fd, 0, SEEK_SET);

    SndFilePtr file(sf_open_fd(fd, SFM_READ, &sfInfo, SF_FALSE));
    if (!file)
        return fail(openError(sf_error(nullptr)));

    const Encoding* wavEncoding = nullptr;
    if (isWav(sfInfo.format)) {
        wavEncoding = findEncoding(sfInfo.format & SF_FORMAT_SUBMASK);
        if (!wavEncoding) {
            return fail(u"unsupported encoding %1"_s.arg(
                formatName(sfInfo.format & SF_FORMAT_SUBMASK, SFC_GET_FORMAT_INFO)));
        }
        sound.format = u"WAV"_s;
        sound.encoding = wavEncoding->name.toString();
    } else if (const Compressed* compressed = findCompressed(sfInfo.format)) {
        sound.format = compressed->format.toString();
        sound.encoding = compressed->encoding.toString();
    } else {
        return fail(u"not a WAV, FLAC, Ogg Vorbis, Opus or MP3 file but %1 (%2)"_s.arg(
            formatName(sfInfo.format & SF_FORMAT_TYPEMASK, SFC_GET_FORMAT_INFO),
            formatName(sfInfo.format & SF_FORMAT_SUBMASK, SFC_GET_FORMAT_INFO)));
    }
    if (sfInfo.frames <= 0 || sfInfo.channels <= 0)
        return fail(u"no sound data"_s);
    if (sfInfo.samplerate < kMinRate || sfInfo.samplerate > kMaxRate)
        return fail(
            u"sample rate %1 Hz is outside %2–%3 Hz"_s.arg(sfInfo.samplerate).arg(kMinRate).arg(kMaxRate));
    if (wavEncoding) {
        const qint64 bytesPerFrame = qint64(wavEncoding->bytesPerSample) * sfInfo.channels;
        const qint64 declaredFrames = declaredDataBytes(file.get()) / bytesPerFrame;
        if (declaredFrames > sfInfo.frames)
            return fail(u"truncated: %1 of %2 frames present"_s.arg(sfInfo.frames).arg(declaredFrames));
    }
    sound.wav = wavEncoding != nullptr;
    sound.sampleRate = sfInfo.samplerate;
    sound.channels = sfInfo.channels;
    sound.fileFrames = sfInfo.frames;
    return file;
}

qint64 framesWanted(const SF_INFO& sfInfo, double maxSeconds)
{
    const double limit = std::max(0.0, maxSeconds) * sfInfo.samplerate;
    return limit >= double(sfInfo.frames) ? sfInfo.frames : qint64(limit);
}

} // namespace

SoundFile::SoundFile(const Header& header)
    : m_sampleRate(header.sampleRate), m_channels(header.channels), m_format(header.format),
      m_encoding(header.encoding), m_fileFrames(header.fileFrames)
{}

std::optional<SoundFile> SoundFile::read(const QString& path, QString* why, double maxSeconds)
{
    auto fail = [why](QString reason) -> std::optional<SoundFile> {
        if (why)
            *why = std::move(reason);
        return std::nullopt;
    };

    // Opened so that it never waits on a pipe or device node, and closed here
    // after libsndfile is done with it.
    QString reason;
    const media::FileDescriptor fd(media::openRegularFile(path, &reason));
    if (!fd.isOpen())
        return fail(reason);
    Header header;
    SF_INFO sfInfo{};
    const SndFilePtr file = openChecked(fd.get(), header, sfInfo, why);
    if (!file)
        return std::nullopt;
    SoundFile sound(header);

    // However long the file says it is, what is decoded at once stays bounded.
    const qint64 wanted =
        std::min(framesWanted(sfInfo, maxSeconds), media::limits::MaxSoundSamplesAtOnce / sfInfo.channels);
    sound.m_samples.resize(std::size_t(wanted * sfInfo.channels));
    if (wanted == 0) {
        // A compressed stream's header says little about its data: the check
        // decodes its first frames, so that what passes the check also plays.
        if (!header.wav && !decodesAtAll(file.get(), sfInfo))
            return fail(u"damaged: no sound data decodes"_s);
        return sound;
    }
    const qint64 got = std::max<qint64>(0, sf_readf_float(file.get(), sound.m_samples.data(), wanted));
    if (got == wanted)
        return sound;
    // A WAV file's length is exact, so a short read means damage. A compressed
    // stream's length may be an estimate: what decodes is played.
    if (header.wav || got == 0)
        return fail(u"truncated: the sound data ends early"_s);
    sound.m_samples.resize(std::size_t(got * sfInfo.channels));
    sound.m_fileFrames = got;
    return sound;
}

std::optional<SoundFile> SoundFile::scan(const QString& path, QString* why, double maxSeconds,
                                         const BlockSink& take)
{
    auto fail = [why](QString reason) -> std::optional<SoundFile> {
        if (why)
            *why = std::move(reason);
        return std::nullopt;
    };
    QString reason;
    const media::FileDescriptor fd(media::openRegularFile(path, &reason));
    if (!fd.isOpen())
        return fail(reason);
    Header header;
    SF_INFO sfInfo{};
    const SndFilePtr file = openChecked(fd.get(), header, sfInfo, why);
    if (!file)
        return std::nullopt;
    SoundFile sound(header);

    const qint64 wanted = framesWanted(sfInfo, maxSeconds);
    // No larger than what is asked for: a few frames of a thousand channels need no 16 MB block.
    const qint64 blockFrames =
        std::max<qint64>(1, std::min({media::limits::SoundBlockFrames,
                                      media::limits::MaxSoundSamplesAtOnce / sfInfo.channels, wanted}));
    std::vector<float> block(std::size_t(blockFrames * sfInfo.channels));
    qint64 done = 0;
    while (done < wanted) {
        const qint64 ask = std::min(blockFrames, wanted - done);
        const qint64 got = std::max<qint64>(0, sf_readf_float(file.get(), block.data(), ask));
        if (got > 0)
            take(std::span<const float>(block.data(), std::size_t(got * sfInfo.channels)));
        done += got;
        if (got < ask)
            break;
    }
    if (done == wanted)
        return sound;
    if (header.wav || done == 0)
        return fail(u"truncated: the sound data ends early"_s);
    sound.m_fileFrames = done;
    return sound;
}
