#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <vector>

// A call or feedback sound decoded into memory as interleaved float samples in
// [-1, 1]: WAV, FLAC, Ogg Vorbis, Ogg Opus or MP3, told apart by their content,
// not their name. read() refuses anything that would not play properly and says
// why, so the sound player and the media check agree on which files are usable.
class SoundFile
{
public:
    // Decodes at most the first maxSeconds (infinity: all of it; 0: only checks
    // the file). Returns nothing and sets *why (if given) when the file is
    // missing, in none of the formats above, in an unsupported encoding, at a
    // sample rate outside 1000–384000 Hz, empty or truncated.
    // However long the file, no more than media::limits::MaxSoundSamplesAtOnce
    // samples are decoded: of a longer one only the start.
    static std::optional<SoundFile> read(const QString& path, QString* why = nullptr,
                                         double maxSeconds = std::numeric_limits<double>::infinity());

    // The same checks as read(), then the first maxSeconds decoded a block at a
    // time (interleaved samples, media::limits::SoundBlockFrames frames at most),
    // each handed to take and dropped: memory stays the same however long the
    // file. The result holds no samples.
    using BlockSink = std::function<void(std::span<const float> samples)>;
    static std::optional<SoundFile> scan(const QString& path, QString* why, double maxSeconds,
                                         const BlockSink& take);

    int sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }
    // "WAV", "FLAC", "Ogg Vorbis", "Ogg Opus", "MP3"
    QString format() const { return m_format; }
    // "16-bit PCM", "32-bit float", ... for WAV; the format's own coding otherwise
    QString encoding() const { return m_encoding; }
    // Length of the whole file, even when only its start was decoded.
    qint64 fileFrames() const { return m_fileFrames; }
    double durationSeconds() const { return double(m_fileFrames) / m_sampleRate; }
    qint64 decodedFrames() const { return qint64(m_samples.size()) / m_channels; }
    const std::vector<float>& samples() const { return m_samples; }

    // What the header says, before anything is decoded.
    struct Header
    {
        int sampleRate = 0;
        int channels = 0;
        QString format;
        QString encoding;
        qint64 fileFrames = 0;
        bool wav = false;
    };

private:
    explicit SoundFile(const Header& header);

    int m_sampleRate = 0;
    int m_channels = 0;
    QString m_format;
    QString m_encoding;
    qint64 m_fileFrames = 0;
    std::vector<float> m_samples;
};
