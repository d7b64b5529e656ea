// Measures the real sound player against the PulseAudio null sink:
//   start: setSource -> first sound on the sink's monitor,
//   stop:  stop() -> last sound on the monitor,
//   seam:  longest silence while a short call repeats,
//   block: how long setSource holds the UI thread for a 20 MB file,
//   stall: longest silence in a repeating call while the UI thread is held
//          busy for 200 ms by a handler of the benchmark's own.
// Usage: bench_sound [runs]   (BENCH_VERBOSE=1 prints every run; PULSE_SERVER must point at a server with a
// null sink named nullsink, as the test command sets up)

#include "AudioPlayer.h"
#include "audiomonitor.h"
#include "audiotestfiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    bool heard = false;
    double startMs = 0;
    double stopMs = 0;
    double seamMs = 0;
};

void print(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-34s median %6.1f ms   min %6.1f   max %6.1f   (n=%zu)\n", what, values[values.size() / 2],
                values.front(), values.back(), values.size());
}

// One repeating call on the monitor's recording: when it was set and stopped,
// and where it was first heard (-1: never).
struct Played
{
    qint64 set = 0;
    qint64 stopped = 0;
    qint64 first = -1;
};

// Plays the call on repeat for playMs from a sink fallen silent, with
// `meanwhile` posted on the UI thread 300 ms in, then stops it and waits until
// the recording holds the end.
Played playRepeating(AudioMonitor& monitor, const QString& call, int playMs,
                     const std::function<void()>& meanwhile = {})
{
    AudioPlayer player;
    QTest::qWait(150); // let the sink fall silent
    Played played;
    played.set = monitor.now();
    player.setSource(call);
    player.setRepeatCount(0);
    if (meanwhile)
        QTimer::singleShot(300, qApp, meanwhile);
    QTest::qWait(playMs);
    played.stopped = monitor.now();
    player.stop();
    QTest::qWait(150);
    monitor.waitUntilRecorded(monitor.now());
    // Searched from a little before the call, so a mis-estimated clock shows as a negative figure.
    played.first = monitor.firstSound(played.set - AudioMonitor::fromMs(100), played.stopped);
    return played;
}

// Silences are judged up to a little before the stop: the monitor's clock is
// only good to the sink's 10 ms render blocks.
double longestSilenceMs(const AudioMonitor& monitor, const Played& played)
{
    return AudioMonitor::toMs(
        monitor.longestSilence(played.first, played.stopped - AudioMonitor::fromMs(20)));
}

Run measureOnce(AudioMonitor& monitor, const QString& call)
{
    const Played played = playRepeating(monitor, call, 500);
    if (played.first < 0)
        return {};
    const qint64 last = monitor.lastSound(played.first, monitor.recorded());
    return {true, AudioMonitor::toMs(played.first - played.set), AudioMonitor::toMs(last - played.stopped),
            longestSilenceMs(monitor, played)};
}

constexpr int StallMs = 200;

// A repeating call, and meanwhile a handler on the UI thread that keeps it busy
// for StallMs: the longest silence inside the call, in ms (-1: nothing heard).
double gapWhileStalled(AudioMonitor& monitor, const QString& call)
{
    const Played played = playRepeating(monitor, call, StallMs + 700, [] {
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < StallMs) {
        }
    });
    return played.first < 0 ? -1 : longestSilenceMs(monitor, played);
}

double blockingMs(const QString& path)
{
    AudioPlayer player;
    QElapsedTimer timer;
    timer.start();
    player.setSource(path);
    player.setRepeatCount(0);
    const double ms = timer.nsecsElapsed() / 1e6;
    player.stop();
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const bool verbose = qEnvironmentVariableIsSet("BENCH_VERBOSE");

    QTemporaryDir dir;
    const QString call = dir.filePath(u"call.wav"_s);
    const QString big = dir.filePath(u"big.wav"_s);
    // A quarter second of 440 Hz: whole cycles, so the seam itself is smooth.
    if (!writeToneFile(call, {{440, 0.25}}) || !writeToneFile(big, {{440, 119}}, 44100, 2)) {
        std::fprintf(stderr, "cannot write the test sounds in %s\n", qPrintable(dir.path()));
        return 1;
    }
    AudioMonitor monitor;
    if (!monitor.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(monitor.errorString()));
        return 1;
    }

    std::vector<double> starts, stops, seams, blocks, stalledGaps;
    for (int i = 0; i < runs; ++i) {
        const Run run = measureOnce(monitor, call);
        if (!run.heard) {
            std::fprintf(stderr, "run %d: no sound at all\n", i + 1);
            continue;
        }
        if (verbose)
            std::printf("run %2d: start %6.1f  stop %6.1f  seam %5.1f\n", i + 1, run.startMs, run.stopMs,
                        run.seamMs);
        starts.push_back(run.startMs);
        stops.push_back(run.stopMs);
        seams.push_back(run.seamMs);
        blocks.push_back(blockingMs(big));
        const double gap = gapWhileStalled(monitor, call);
        if (gap >= 0)
            stalledGaps.push_back(gap);
        else
            std::fprintf(stderr, "run %d: no sound while the UI thread was held\n", i + 1);
    }
    if (starts.empty())
        return 1;
    print("start: setSource -> audible", starts);
    print("stop: stop() -> silent", stops);
    print("seam: longest silence in a loop", seams);
    print("setSource of a 20 MB file blocks", blocks);
    if (!stalledGaps.empty())
        print("gap in a call, UI held 200 ms", stalledGaps);
    return 0;
}
