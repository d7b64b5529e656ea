// The spectrogram's costs and the cursor's timing:
//   compute: analysing and drawing a 10 s, 48 kHz call on a worker, at 100 % and 300 %;
//   stall:   the window thread's longest gap between 1 ms ticks while a view works one out and shows it;
//   cursor:  where the cursor says playback is against when the sound reached the null sink
//            (a click half-way through a repeating call, found on the sink's monitor);
//   frames:  cursor moves a second at 300 %, each a synchronous repaint.
// Usage: bench_spectrogram [runs]   (PULSE_SERVER must point at a server with a null sink named
// nullsink for the cursor, as the test command sets up; without one it is left out)

#include "AudioPlayer.h"
#include "SpectrogramPicture.h"
#include "SpectrogramView.h"
#include "audiomonitor.h"
#include "audiotestfiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rate = 48000;
constexpr TwipsRect Panel{90, 510, 4470, 4785};

void print(const char* what, std::vector<double> values, const char* unit = "ms")
{
    if (values.empty()) {
        std::printf("%-40s no measurements\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("%-40s median %7.1f %s   min %7.1f   max %7.1f   (n=%zu)\n", what, values[values.size() / 2],
                unit, values.front(), values.back(), values.size());
}

// Ten seconds of phrases: rising whistles and a trill over a little noise.
DecodedSound tenSecondCall()
{
    auto samples = std::make_shared<std::vector<float>>(std::size_t(10 * Rate));
    std::uint32_t noise = 1;
    double phase = 0;
    for (std::size_t i = 0; i < samples->size(); ++i) {
        const double t = double(i) / Rate;
        const double inPhrase = std::fmod(t, 1.0);
        const double hz = 2000 + 3000 * inPhrase + 400 * std::sin(2 * std::numbers::pi * 30 * t);
        phase += 2 * std::numbers::pi * hz / Rate;
        noise = noise * 1664525u + 1013904223u;
        const double hiss = (double(noise >> 8) / double(1 << 24) - 0.5) * 0.01;
        (*samples)[i] = float((inPhrase < 0.6 ? 0.4 * std::sin(phase) : 0.0) + hiss);
    }
    return {Rate, samples};
}

QSize plotAt(double scale)
{
    QWidget window;
    SpectrogramView view(&window);
    view.setScale(scale);
    view.setTwipsRect(Panel);
    return view.plotRect().size();
}

void measureCompute(int runs)
{
    const DecodedSound call = tenSecondCall();
    std::vector<double> analyse, draw1, draw3;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const Spectrogram spectrogram = spectrogram::analyse(*call.samples, call.sampleRate);
        analyse.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        spectrogram::render(spectrogram, plotAt(1));
        draw1.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        spectrogram::render(spectrogram, plotAt(3));
        draw3.push_back(timer.nsecsElapsed() / 1e6);
    }
    print("compute: analyse 10 s (kissfft)", analyse);
    print("compute: draw at 100 %", draw1);
    print("compute: draw at 300 %", draw3);
    std::vector<double> total;
    for (std::size_t i = 0; i < analyse.size(); ++i)
        total.push_back(analyse[i] + draw3[i]);
    print("compute: analyse + draw at 300 %", total);
}

// The longest gap between ticks of a 1 ms timer on the window thread while the
// view works the call out and shows it.
void measureStall(int runs)
{
    const DecodedSound call = tenSecondCall();
    std::vector<double> stalls, idle;
    for (int i = 0; i < runs; ++i) {
        // The same wait with nothing to work out: what the machine itself costs.
        QElapsedTimer clock;
        clock.start();
        qint64 last = clock.nsecsElapsed(), longest = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        probe.start(1);
        QTest::qWait(100);
        idle.push_back(longest / 1e6);
    }
    print("stall: idle, for comparison", idle);
    for (int i = 0; i < runs; ++i) {
        QWidget window;
        window.resize(1000, 1200);
        auto* view = new SpectrogramView(&window);
        view->setScale(3);
        view->setTwipsRect(Panel);
        window.show();
        QTest::qWait(50);
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0, longest = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        probe.start(1);
        last = clock.nsecsElapsed();
        view->showSound(call);
        if (!QTest::qWaitFor([view] { return view->isReady(); }, 5000))
            std::printf("stall: the picture never came\n");
        QTest::qWait(30); // the repaint that shows it
        stalls.push_back(longest / 1e6);
    }
    print("stall: longest window-thread gap", stalls);
}

void measureFrames(int runs)
{
    QWidget window;
    window.resize(1000, 1200);
    auto* view = new SpectrogramView(&window);
    view->setScale(3);
    view->setTwipsRect(Panel);
    window.show();
    const DecodedSound call = tenSecondCall();
    view->showSound(call);
    if (!QTest::qWaitFor([view] { return view->isReady(); }, 5000)) {
        std::printf("frames: the picture never came\n");
        return;
    }
    std::vector<double> rates, full;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        constexpr int Frames = 120;
        for (int frame = 0; frame < Frames; ++frame) {
            view->setPosition({10.0 * frame / Frames, true});
            view->repaint(); // what update() would paint, at once
        }
        rates.push_back(Frames / (timer.nsecsElapsed() / 1e9));
        timer.restart();
        view->repaint(view->rect());
        full.push_back(timer.nsecsElapsed() / 1e6);
    }
    print("frames: cursor moves at 300 %", rates, "/s");
    print("frames: the whole view at 300 %", full);
}

// A second of silence with a 10 ms click half-way, repeating. Each time the
// cursor passes 0.5 s is compared with where the click is on the monitor.
void measureCursor(int runs)
{
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        std::printf("cursor: no sound server, left out\n");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"click.wav"_s);
    if (!writeToneFile(path, {{0, 0.5}, {2000, 0.01}, {0, 0.49}})) {
        std::printf("cursor: cannot write the test sound\n");
        return;
    }
    AudioMonitor monitor;
    if (!monitor.start()) {
        std::printf("cursor: %s\n", qPrintable(monitor.errorString()));
        return;
    }
    std::vector<double> offsets;
    for (int run = 0; run < runs; ++run) {
        struct Report
        {
            qint64 at;
            double seconds;
        };
        std::vector<Report> reports;
        AudioPlayer player;
        player.watch({{}, [&](const PlayPosition& p) {
                          if (p.playing)
                              reports.push_back({monitor.now(), p.seconds});
                      }});
        QTest::qWait(150);
        const qint64 started = monitor.now();
        player.setSource(path);
        player.setRepeatCount(0);
        QTest::qWait(3300);
        player.stop();
        QTest::qWait(200);
        monitor.waitUntilRecorded(monitor.now());
        for (std::size_t i = 1; i < reports.size(); ++i) {
            const Report &a = reports[i - 1], &b = reports[i];
            if (!(a.seconds < 0.5 && b.seconds >= 0.5 && b.seconds > a.seconds))
                continue;
            const double share = (0.5 - a.seconds) / (b.seconds - a.seconds);
            const auto cursorAt = qint64(double(a.at) + share * double(b.at - a.at));
            const qint64 click = monitor.firstSound(std::max(started, cursorAt - AudioMonitor::fromMs(300)),
                                                    cursorAt + AudioMonitor::fromMs(300));
            if (click >= 0)
                offsets.push_back(AudioMonitor::toMs(cursorAt - click));
        }
    }
    print("cursor: cursor minus sound (+: late)", offsets);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    measureCompute(runs);
    measureStall(runs);
    measureFrames(runs);
    measureCursor(std::max(1, runs / 3));
    return 0;
}
