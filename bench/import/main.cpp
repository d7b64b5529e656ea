// How long piyo-import takes over a birder's whole card: 80 camera photographs (4000 × 3000
// JPEG, scaled to 596 × 447 PNG) and 80 recordings (30 s of stereo FLAC at 44.1 kHz, mixed to
// mono and trimmed to the loudest 10 s), each filed under one bird.
// Usage: bench_import [RUNS]
#include "Importer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <random>

using namespace Qt::StringLiterals;

namespace {

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

void report(const QString& what, std::vector<double> values, const QString& unit)
{
    std::sort(values.begin(), values.end());
    QTextStream(stdout) << what << ": median " << values[values.size() / 2] << ' ' << unit << ", min "
                        << values.front() << ", max " << values.back() << " (" << values.size() << " runs)\n";
}

// A photograph with detail everywhere, so the JPEG is as heavy to decode as a real one.
QImage cameraPhoto()
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb((x / 7 + int(random() % 40)) & 255, (y / 5 + int(random() % 40)) & 255,
                           (x + y) / 30 & 255);
    }
    return photo;
}

// Wind and a bird calling now and then: 30 s of stereo.
bool writeRecording(const QString& path)
{
    constexpr int Rate = 44100;
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 2;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::mt19937 random(11);
    std::normal_distribution<float> wind(0.0f, 0.02f);
    std::vector<float> samples;
    for (int i = 0; i < 30 * Rate; ++i) {
        const double t = double(i) / Rate;
        const double call =
            std::fmod(t, 6.0) < 1.2 ? 0.4 * std::sin(2 * M_PI * (2500 + 400 * std::sin(t * 9)) * t) : 0;
        samples.push_back(float(call) + wind(random));
        samples.push_back(float(call * 0.8) + wind(random));
    }
    sf_writef_float(file, samples.data(), 30 * Rate);
    return sf_close(file) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    const QString card = dir.filePath(u"card"_s);
    QDir().mkpath(card);

    // One of each, then copies under each bird's number: what is timed is the import.
    const QString photo = card + u"/b1.jpg"_s;
    const QString recording = card + u"/k1.flac"_s;
    if (!cameraPhoto().save(photo, "JPEG", 90) || !writeRecording(recording)) {
        QTextStream(stderr) << "bench_import: cannot write the test media\n";
        return 1;
    }
    QList<SourceFile> photos{{photo}}, recordings{{recording}};
    for (int bird = 2; bird <= 80; ++bird) {
        photos << SourceFile{card + u"/b%1.jpg"_s.arg(bird)};
        recordings << SourceFile{card + u"/k%1.flac"_s.arg(bird)};
        QFile::copy(photo, photos.last().path);
        QFile::copy(recording, recordings.last().path);
    }

    QTextStream(stdout) << "photograph " << QFileInfo(photo).size() / 1024 << " KiB, recording "
                        << QFileInfo(recording).size() / 1024 << " KiB\n";
    std::vector<double> photoSeconds, recordingSeconds, photoCpu, recordingCpu;
    QString log;
    QTextStream quiet(&log);
    for (int run = 0; run < runs; ++run) {
        ImportOptions options;
        options.personalRoot = dir.filePath(u"piyo-%1"_s.arg(run));
        Importer importer(options, quiet, [](const QString&) { return true; });
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuSeconds();
        const int photosLeft = importer.run(photos);
        photoSeconds.push_back(timer.nsecsElapsed() / 1e9);
        photoCpu.push_back(cpuSeconds() - cpu);
        timer.restart();
        cpu = cpuSeconds();
        const int recordingsLeft = importer.run(recordings);
        recordingSeconds.push_back(timer.nsecsElapsed() / 1e9);
        recordingCpu.push_back(cpuSeconds() - cpu);
        if (photosLeft + recordingsLeft > 0) {
            QTextStream(stderr) << "bench_import: files left alone\n" << log;
            return 1;
        }
    }
    // The processor time too: on a shared machine the wall time is mostly waiting.
    report(u"import 80 photographs (4000 x 3000 JPEG), wall"_s, photoSeconds, u"s"_s);
    report(u"import 80 photographs, processor"_s, photoCpu, u"s"_s);
    report(u"import 80 recordings (30 s stereo FLAC), wall"_s, recordingSeconds, u"s"_s);
    report(u"import 80 recordings, processor"_s, recordingCpu, u"s"_s);
    return 0;
}
