// Soak of the quiz screen on the bundled media set, on a fast-forwarded clock.
//   1. 10,000 questions, answers alternately right and wrong, leaving and
//      re-entering the screen every 500 questions: resident memory flat within
//      2 MiB after the first 1,000 questions, and any eleven consecutive birds
//      of one showing all different. Run twice: with a silent player (the
//      screen's own memory, flat within 2 MiB) and with the real sound player
//      (whose audio stack keeps up to a few MiB more: within 8 MiB).
//   2. One long showing of 33,000 right answers in a row (recording player,
//      for speed): the right count reads "33000".
// Usage: bench_soak [questions] [rightInARow]   Exits non-zero if a check fails.

#include "AudioPlayer.h"
#include "BenchReport.h"
#include "Fonts.h"
#include "QuizDriver.h"
#include "RecordingPlayer.h"
#include "SilentPlayer.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

using namespace Qt::StringLiterals;

namespace {

constexpr int ShowingLength = 500;
constexpr int WarmUp = 1000;
constexpr long FlatKiB = 2048;
// Qt's audio stack keeps a little per stream it has opened, up to a few MiB,
// and gives some of it back later (a bare QAudioSink start/stop loop does the
// same); past this bound the growth would be a leak.
constexpr long SoundStackKiB = 8192;
constexpr int Distinct = 11;

double seconds(const QElapsedTimer& timer)
{
    return double(timer.elapsed()) / 1000;
}

struct Spread
{
    long low = 0;
    long high = 0;
};

Spread spread(const std::vector<bench::Memory>& samples, long bench::Memory::*field)
{
    const auto [low, high] =
        std::minmax_element(samples.begin(), samples.end(),
                            [field](const auto& a, const auto& b) { return a.*field < b.*field; });
    return {(*low).*field, (*high).*field};
}

// Counts the windows of eleven consecutive birds in one showing that hold a repeat.
struct RecentCheck
{
    void showingStarts() { entries.clear(); }
    void shown(int entry)
    {
        entries.push_back(entry);
        if (int(entries.size()) < Distinct)
            return;
        ++windows;
        const std::set<int> last(entries.end() - Distinct, entries.end());
        if (int(last.size()) < Distinct && ++repeats <= 5)
            std::printf("  REPEAT: entry %d among the last eleven birds (showing question %zu)\n", entry,
                        entries.size());
    }

    std::vector<int> entries;
    long windows = 0;
    long repeats = 0;
};

bool leavingAndComingBack(int questions, const char* player, SoundPlayerFactory makePlayer, long flatKiB)
{
    std::printf("soak: %d questions, right and wrong in turn, screen left and re-entered every %d (%s)\n",
                questions, ShowingLength, player);
    QuizDriver quiz(Season::AutumnWinter, std::move(makePlayer));
    RecentCheck recent;
    std::vector<bench::Memory> settled; // at each check point after the warm-up
    QElapsedTimer wall;
    wall.start();
    for (int question = 1; question <= questions; ++question) {
        if (question % ShowingLength == 1) {
            quiz.open();
            recent.showingStarts();
        }
        if (quiz.runToQuestion() < 0) {
            std::printf("  FAILED: question %d never came\n", question);
            return false;
        }
        recent.shown(quiz.screen().currentEntry());
        quiz.answer(question % 2 == 1);
        if (question % ShowingLength == 0 || question == questions) {
            quiz.close();
            const bench::Memory memory = bench::memoryNow();
            if (question >= WarmUp)
                settled.push_back(memory);
            std::printf("  after question %5d   %s\n", question, qPrintable(bench::describe(memory)));
        }
    }
    bool ok = true;
    if (!settled.empty()) {
        const Spread rss = spread(settled, &bench::Memory::residentKiB);
        ok = rss.high - rss.low <= flatKiB;
        std::printf("  RSS from question %d on: %.1f .. %.1f MiB, spread %.2f MiB (at most %.1f): %s\n",
                    WarmUp, rss.low / 1024.0, rss.high / 1024.0, (rss.high - rss.low) / 1024.0,
                    flatKiB / 1024.0, ok ? "ok" : "FAILED");
        for (const auto& [what, field] : {std::pair{"heap in use", &bench::Memory::heapKiB},
                                          std::pair{"anonymous", &bench::Memory::anonymousKiB},
                                          std::pair{"shared", &bench::Memory::sharedKiB}}) {
            const Spread part = spread(settled, field);
            std::printf("    of which %-12s %.1f .. %.1f MiB, spread %.2f MiB\n", what, part.low / 1024.0,
                        part.high / 1024.0, (part.high - part.low) / 1024.0);
        }
    }
    std::printf("  eleven consecutive birds distinct: %ld windows checked, %ld with a repeat: %s\n",
                recent.windows, recent.repeats, recent.repeats == 0 ? "ok" : "FAILED");
    std::printf("  %d questions in %.1f s of real time\n", questions, seconds(wall));
    return ok && recent.repeats == 0;
}

bool countsPastSixteenBits(int rightInARow)
{
    std::printf("soak: %d right answers in a row in one showing (recording player)\n", rightInARow);
    QuizDriver quiz(Season::SpringSummer, RecordingPlayer::factory());
    QElapsedTimer wall;
    wall.start();
    quiz.open();
    long wrongCaptions = 0;
    for (int question = 1; question <= rightInARow + 1; ++question) {
        if (quiz.runToQuestion() < 0) {
            std::printf("  FAILED: question %d never came\n", question);
            return false;
        }
        // Every earlier answer was right, and its count is shown by the time the next bird comes.
        const QString expected = question == 1 ? QString() : QString::number(question - 1);
        if (quiz.caption(u"Label5"_s) != expected && ++wrongCaptions <= 5)
            std::printf("  WRONG COUNT: Label5 reads \"%s\" after %d right answers\n",
                        qPrintable(quiz.caption(u"Label5"_s)), question - 1);
        if (question <= rightInARow)
            quiz.answer(true);
        if (question % 5000 == 0) {
            std::printf("  question %5d on show, Label5 \"%s\"\n", question,
                        qPrintable(quiz.caption(u"Label5"_s)));
            std::fflush(stdout);
        }
    }
    const QString right = quiz.caption(u"Label5"_s);
    const QString wrong = quiz.caption(u"Label6"_s);
    const bool ok = wrongCaptions == 0 && right == QString::number(rightInARow) && wrong.isEmpty() &&
                    quiz.screen().rightCount() == rightInARow;
    std::printf("  Label5 \"%s\", Label6 \"%s\", %ld wrong captions on the way: %s\n", qPrintable(right),
                qPrintable(wrong), wrongCaptions, ok ? "ok" : "FAILED");
    std::printf("  %d questions in %.1f s of real time\n", rightInARow, seconds(wall));
    quiz.close();
    return ok;
}

int run(const QStringList& arguments)
{
    const int questions = arguments.size() > 0 ? std::max(1, arguments[0].toInt()) : 10000;
    const int rightInARow = arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : 33000;
    // First with a player that does nothing, which shows the screen's own memory,
    // then with the real one, which adds the sound stack's.
    const bool alone =
        leavingAndComingBack(questions, "silent player: the screen alone", SilentPlayer::factory(), FlatKiB);
    const bool withSound = leavingAndComingBack(
        questions, "real sound player", [] { return std::make_unique<AudioPlayer>(); }, SoundStackKiB);
    const bool steady = alone && withSound;
    const bool counts = countsPastSixteenBits(rightInARow);
    std::printf("soak: %s\n", steady && counts ? "all checks passed" : "FAILED");
    return steady && counts ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    bench::preferOffscreen();
    QApplication app(argc, argv);
    installJapaneseFonts();
    return bench::runInEventLoop(run);
}
