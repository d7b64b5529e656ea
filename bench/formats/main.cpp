// The first picture and the first call of a bird in each everyday format, from
// the moment they are asked for: the picture read and decoded on a worker and
// back on the window's thread (as a name click does it), the call decoded as
// the audio thread does before its first sound. A 1 ms timer on the window's
// thread measures the longest stall meanwhile. GIF and WAV are the reference.
// Pictures: the bundled GIF beside the program, and the same bird as an
// imported photograph (596 x 447) in JPEG, PNG and WebP, and as a camera JPEG
// (4000 x 3000) dropped into the folder as it is. Calls: 10 s of a song in
// WAV, FLAC, Ogg Vorbis, Opus and MP3 (the last two made with opusenc and lame).
// Usage: bench_formats [RUNS]
#include "Background.h"
#include "BirdShow.h"
#include "SoundFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Sample
{
    double ms;
    double stallMs;
};

void report(const QString& what, std::vector<Sample> samples, bool withStall)
{
    std::vector<double> times, stalls;
    for (const Sample& s : samples) {
        times.push_back(s.ms);
        stalls.push_back(s.stallMs);
    }
    std::sort(times.begin(), times.end());
    std::sort(stalls.begin(), stalls.end());
    QTextStream out(stdout);
    out << what.leftJustified(34) << " median " << times[times.size() / 2] << " ms (max " << times.back()
        << ")";
    if (withStall)
        out << ", window's longest stall " << stalls.back() << " ms";
    out << '\n';
}

// Waits, on the window's thread, for done() while a 1 ms timer notes the
// longest time it had to wait for its turn.
template <class Done> double longestStallUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    double longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, double(now - last) / 1e6 - 1.0);
        last = now;
    });
    tick.start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return std::max(0.0, longest);
}

Sample firstPicture(const QString& root)
{
    QObject context;
    bool arrived = false;
    QElapsedTimer timer;
    timer.start();
    double ms = 0;
    inBackground(
        &context, [root] { return presentation::readBirdMedia(root, u"1"_s); },
        [&](const presentation::BirdMedia& bird) {
            const QPixmap shown = QPixmap::fromImage(bird.picture); // what the window's thread does
            ms = double(timer.nsecsElapsed()) / 1e6;
            Q_UNUSED(shown);
            arrived = true;
        });
    const double stall = longestStallUntil([&] { return arrived; });
    return {ms, stall};
}

Sample firstCall(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    const std::optional<SoundFile> header = SoundFile::read(path, nullptr, 0);
    const std::optional<SoundFile> call = header ? SoundFile::read(path) : std::nullopt;
    if (!call)
        return {-1, 0};
    return {double(timer.nsecsElapsed()) / 1e6, 0};
}

// A song of rising and falling notes with pauses, 10 s at 44.1 kHz.
bool writeSong(const QString& path, int format)
{
    constexpr int Rate = 44100;
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> samples(10 * Rate);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / Rate;
        const bool singing = std::fmod(t, 2.5) < 1.6 && std::fmod(t, 0.2) < 0.15;
        samples[i] = singing ? float(0.5 * std::sin(2 * M_PI * (3000 + 800 * std::sin(t * 13)) * t)) : 0.0f;
    }
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    return sf_close(file) == 0;
}

bool encodeWith(const QString& tool, const QString& in, const QString& out)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return false;
    return QProcess::execute(tool, {u"--quiet"_s, in, out}) == 0;
}

// One file to time: what the report calls it, its name in the media root, and how it is made.
struct MediaCase
{
    QString label;
    QString file;
    std::function<bool(const QString&)> write;
};

// A media root holding bird 1's picture (or call) in one file.
QString rootWith(const QTemporaryDir& dir, const QString& name)
{
    const QString root = dir.filePath(name);
    QDir().mkpath(root + u"/姿"_s);
    QDir().mkpath(root + u"/声"_s);
    return root;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    const QString bundled = QCoreApplication::applicationDirPath() + u"/姿/b1.gif"_s;
    const QImage bird(bundled);
    if (bird.isNull()) {
        QTextStream(stderr) << "bench_formats: no bundled picture at " << bundled
                            << " (build the media first)\n";
        return 1;
    }

    const QImage imported = bird.scaled(596, 447, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QImage camera = bird.scaled(4000, 3000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const std::vector<MediaCase> pictures{
        {u"picture GIF (bundled)"_s, u"b1.gif"_s,
         [&](const QString& to) { return QFile::copy(bundled, to); }},
        {u"picture JPEG 596 x 447"_s, u"b1.jpg"_s,
         [&](const QString& to) { return imported.save(to, "JPEG", 90); }},
        {u"picture PNG 596 x 447"_s, u"b1.png"_s,
         [&](const QString& to) { return imported.save(to, "PNG"); }},
        {u"picture WebP 596 x 447"_s, u"b1.webp"_s,
         [&](const QString& to) { return imported.save(to, "WEBP", 90); }},
        {u"picture JPEG 4000 x 3000 (camera)"_s, u"b1.jpg"_s,
         [&](const QString& to) { return camera.save(to, "JPEG", 90); }},
    };
    QTextStream(stdout) << "first picture of a bird, click to pixmap, " << runs << " runs each\n";
    int root = 0;
    for (const MediaCase& picture : pictures) {
        const QString media = rootWith(dir, u"p%1"_s.arg(++root));
        if (!picture.write(media + u"/姿/"_s + picture.file)) {
            QTextStream(stdout) << picture.label << ": cannot be written here, skipped\n";
            continue;
        }
        std::vector<Sample> samples;
        for (int run = 0; run < runs; ++run)
            samples.push_back(firstPicture(media));
        report(picture.label, samples, true);
    }

    const QString wav = dir.filePath(u"song.wav"_s);
    const std::vector<MediaCase> calls{
        {u"call WAV 16-bit"_s, u"k1.wav"_s,
         [&](const QString& to) { return writeSong(to, SF_FORMAT_WAV | SF_FORMAT_PCM_16); }},
        {u"call FLAC"_s, u"k1.flac"_s,
         [&](const QString& to) { return writeSong(to, SF_FORMAT_FLAC | SF_FORMAT_PCM_16); }},
        {u"call Ogg Vorbis"_s, u"k1.ogg"_s,
         [&](const QString& to) { return writeSong(to, SF_FORMAT_OGG | SF_FORMAT_VORBIS); }},
        {u"call Opus"_s, u"k1.opus"_s, [&](const QString& to) { return encodeWith(u"opusenc"_s, wav, to); }},
        {u"call MP3"_s, u"k1.mp3"_s, [&](const QString& to) { return encodeWith(u"lame"_s, wav, to); }},
    };
    writeSong(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QTextStream(stdout) << "first call of a bird, 10 s, decoded as the audio thread does before it plays "
                           "(the window is not involved)\n";
    for (const MediaCase& call : calls) {
        const QString path = rootWith(dir, u"c%1"_s.arg(++root)) + u"/声/"_s + call.file;
        if (!call.write(path)) {
            QTextStream(stdout) << call.label << ": cannot be made here (tool missing?), skipped\n";
            continue;
        }
        std::vector<Sample> samples;
        for (int run = 0; run < runs; ++run)
            samples.push_back(firstCall(path));
        report(call.label, samples, false);
    }
    return 0;
}
