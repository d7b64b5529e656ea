// The quiz on the bundled media set with the real sound player.
//   present  the tick that presents a question: picture load, zoom-in and the
//            call handed to the player (median of 50, both season sets), with
//            the picture load and the call start also timed on their own;
//   memory   resident memory over 10,000 questions on a fast-forwarded clock,
//            answers alternately right and wrong, growth from question 500 on.
// Usage: bench_quiz [present|memory|all] [count] [silent]
// ("silent" runs the memory part with a player that does nothing, to tell the
// screen's own memory from the sound stack's)
// Offscreen unless QT_QPA_PLATFORM says otherwise (on a real display the
// zoom-in deliberately takes about 20 × 7 ms).

#include "AudioPlayer.h"
#include "BenchReport.h"
#include "BirdTables.h"
#include "Fonts.h"
#include "MediaPaths.h"
#include "PictureLoader.h"
#include "QuizDriver.h"
#include "SilentPlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

SoundPlayerFactory realPlayer()
{
    return [] { return std::make_unique<AudioPlayer>(); };
}

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

struct PresentTimes
{
    std::vector<double> present;
    std::vector<int> birds;
};

bool presentOn(Season season, int count, PresentTimes& times)
{
    QuizDriver quiz(season, realPlayer());
    const birds::NumberTable table = birds::numberTable(season);
    quiz.open();
    quiz.runToQuestion(); // the first question pays for warming up; not counted
    quiz.answer(true);
    for (int i = 0; i < count; ++i) {
        const double took = quiz.runToQuestion();
        if (took < 0)
            return false;
        times.present.push_back(took);
        times.birds.push_back(table[quiz.screen().currentEntry()]);
        QTest::qWait(40); // the call plays a little, as it would while the user looks
        quiz.answer(true);
    }
    quiz.close();
    return true;
}

// The two parts of presenting that touch files, each on its own.
void timeParts(const std::vector<int>& birds)
{
    const QString root = media::dataRoot();
    std::vector<double> load;
    std::vector<double> call;
    AudioPlayer player;
    for (int bird : birds) {
        const QString number = media::birdNumberText(bird);
        QElapsedTimer timer;
        timer.start();
        const QImage picture = readPicture(media::birdFilePath(root, media::BirdFile::Picture, number));
        load.push_back(msSince(timer));
        timer.start();
        player.setSource(media::birdFilePath(root, media::BirdFile::Call, number));
        player.setRepeatCount(0);
        call.push_back(msSince(timer));
        QTest::qWait(40);
        player.stop();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bench::printTimes(u"  of which picture load"_s, load);
    bench::printTimes(u"  of which call start (source, repeat 0)"_s, call);
}

bool present(int count)
{
    std::printf("quiz: presenting a question (%s, real sound player)\n",
                qPrintable(QGuiApplication::platformName()));
    PresentTimes times;
    if (!presentOn(Season::SpringSummer, count / 2, times) ||
        !presentOn(Season::AutumnWinter, count - count / 2, times)) {
        std::printf("  FAILED: a question never came\n");
        return false;
    }
    bench::printTimes(u"tick that presents a question"_s, times.present);
    timeParts(times.birds);
    return true;
}

bool memory(int count, bool silent)
{
    std::printf("quiz: resident memory over %d questions (fast-forwarded clock, %s)\n", count,
                silent ? "silent player" : "real sound player");
    QuizDriver quiz(Season::SpringSummer, silent ? SilentPlayer::factory() : realPlayer());
    quiz.open();
    QElapsedTimer wall;
    wall.start();
    bench::Memory atWarm;
    for (int question = 1; question <= count; ++question) {
        if (quiz.runToQuestion() < 0) {
            std::printf("  FAILED: question %d never came\n", question);
            return false;
        }
        quiz.answer(question % 2 == 1);
        if (question == 500)
            atWarm = bench::memoryNow();
        if (question == 500 || question % 1000 == 0)
            std::printf("  after question %5d   %s\n", question,
                        qPrintable(bench::describe(bench::memoryNow())));
    }
    const bench::Memory atEnd = bench::memoryNow();
    quiz.close();
    const double per1000 = (count - 500) / 1000.0;
    std::printf("  growth from question 500 to %d: RSS %+.2f MiB (%+.0f KiB per 1000 questions), "
                "heap in use %+.2f MiB\n",
                count, double(atEnd.residentKiB - atWarm.residentKiB) / 1024,
                double(atEnd.residentKiB - atWarm.residentKiB) / per1000,
                double(atEnd.heapKiB - atWarm.heapKiB) / 1024);
    std::printf("  %d questions in %.1f s of real time (%lld timer ticks)\n", count, msSince(wall) / 1000,
                quiz.ticks());
    return true;
}

int run(const QStringList& arguments)
{
    const QString mode = arguments.value(0, u"all"_s);
    const int count = arguments.size() > 1 ? arguments[1].toInt() : 0;
    bool ok = true;
    if (mode == u"present"_s || mode == u"all"_s)
        ok = present(count > 0 ? count : 50) && ok;
    if (mode == u"memory"_s || mode == u"all"_s)
        ok = memory(count > 0 ? count : 10000, arguments.value(2) == u"silent"_s) && ok;
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    bench::preferOffscreen();
    QApplication app(argc, argv);
    installJapaneseFonts();
    return bench::runInEventLoop(run);
}
