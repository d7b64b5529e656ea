#include "ChosenModes.h"
#include "FakeClock.h"
#include "QuizRound.h"
#include "ReviewDraw.h"
#include "ScriptedRandom.h"
#include "Settings.h"

#include <QtTest>

#include <set>

using namespace Qt::StringLiterals;
using quiz::QuizRound;

namespace {

constexpr double Today = 20000.5; // days since 1970, noon UTC

int birdAt(int entry)
{
    return birds::birdNumberAt(Season::SpringSummer, entry - 1);
}

// The bird at entry answered on the given day, right or wrong.
memory::Review answered(int entry, double at, bool right)
{
    memory::Review review;
    review.at = at;
    review.bird = birdAt(entry);
    review.answered = right ? review.bird : birdAt(entry % 40 + 1);
    review.right = right;
    review.elapsedMs = 2000;
    return review;
}

struct Round
{
    FakeClock clock;
    ScriptedRandom random;
    QuizRound round{birds::numberTable(Season::SpringSummer), random, clock};
    double today = Today;

    explicit Round(std::vector<memory::Review> history, bool review = true)
    {
        round.setDayClock([this] { return today; });
        round.setDraw(review ? std::shared_ptr<const quiz::Draw>(std::make_shared<quiz::ReviewDraw>())
                             : std::make_shared<quiz::PlainDraw>());
        round.begin(true);
        round.memoryArrived(std::make_shared<const memory::MemoryBook>(memory::MemoryBook::replay(history)));
    }

    int askAndAnswer(bool right = true)
    {
        if (round.ChooseQuestion() != QuizRound::Next::Asked)
            return 0;
        const int entry = round.currentEntry();
        round.answerGiven(right ? entry : entry % 40 + 1);
        round.judge();
        return entry;
    }
};

// Every bird of the board answered right long ago (so due), but for those given.
std::vector<memory::Review> everyBirdKnown(double at = Today - 0.1)
{
    std::vector<memory::Review> history;
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        history.push_back(answered(entry, at, true));
    return history;
}

} // namespace

class ReviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Bird 7 missed and bird 30 right a month ago, bird 12 right ten days
    // ago: recall 7 < 30 < 12, all below 90 %; the rest were just answered.
    void dueBirdsComeLowestRecallFirst()
    {
        std::vector<memory::Review> history = everyBirdKnown();
        history.push_back(answered(7, Today - 30, false));
        history.push_back(answered(30, Today - 30, true));
        history.push_back(answered(12, Today - 10, true));
        std::erase_if(history, [](const memory::Review& r) {
            return r.at == Today - 0.1 &&
                   (r.bird == birdAt(7) || r.bird == birdAt(30) || r.bird == birdAt(12));
        });
        Round r(history);
        QCOMPARE(r.round.dueToday(), 3);
        QCOMPARE(r.askAndAnswer(), 7);
        QCOMPARE(r.askAndAnswer(), 30);
        QCOMPARE(r.askAndAnswer(), 12);
        QCOMPARE(r.round.dueToday(), 0); // answered right just now
    }

    // A bird missed in a showing that lasts into the next day is the least
    // remembered by then, but the last ten birds asked are kept out all the same.
    void aDueBirdAmongTheRecentWindowWaits()
    {
        Round r(everyBirdKnown(Today - 0.01));
        const int first = r.askAndAnswer(false);
        QCOMPARE(first, 1); // all alike: the first of the board
        r.today += 1.2;     // the others above 90 % till the day ends, the missed one well below
        QCOMPARE(r.round.dueToday(), 1);
        for (int i = 0; i < QuizRound::RecentWindow; ++i)
            QVERIFY2(r.askAndAnswer() != first, "a bird of the recent window was asked again");
        QCOMPARE(r.askAndAnswer(), first);
    }

    // Due birds first, but not so long a queue of them that new birds never
    // come: one new bird is let in for each due bird asked that day.
    void newBirdsComeAfterTheDueOnesOneForEachDueBird()
    {
        // Birds 1..20 known: 3, 4 and 5 due, the rest answered yesterday; 21..40 never asked.
        std::vector<memory::Review> history;
        for (int entry = 1; entry <= 20; ++entry)
            history.push_back(answered(entry, entry >= 3 && entry <= 5 ? Today - 40 : Today - 1, true));
        Round r(history);
        std::vector<bool> isNew;
        std::vector<int> due;
        for (int i = 0; i < 12; ++i) {
            const int entry = r.askAndAnswer();
            isNew.push_back(entry > 20);
            if (entry <= 20)
                due.push_back(entry);
        }
        QCOMPARE(due, (std::vector<int>{3, 4, 5}));
        QCOMPARE(isNew, (std::vector<bool>{false, true, false, true, false, true, true, true, true, true,
                                           true, true}));
    }

    // With nothing due and nothing new, the least remembered of the rest.
    void withNothingDueTheLeastRememberedComes()
    {
        std::vector<memory::Review> history = everyBirdKnown(Today - 0.01);
        history[16] = answered(17, Today - 0.9, true); // answered hours earlier, still above 90 %
        Round r(history);
        QCOMPARE(r.round.dueToday(), 0);
        QCOMPARE(r.askAndAnswer(), 17);
    }

    // An answer judged before the replay came is not in it: it is added once.
    void answersJudgedBeforeTheMemoryCameCountOnce()
    {
        FakeClock clock;
        ScriptedRandom random;
        QuizRound round(birds::numberTable(Season::SpringSummer), random, clock);
        round.setDayClock([] { return Today; });
        round.begin(true);
        random.scriptEntries({5});
        QCOMPARE(round.ChooseQuestion(), QuizRound::Next::Asked);
        round.answerGiven(6);
        round.judge();
        QVERIFY(!round.memory());
        round.memoryArrived(std::make_shared<const memory::MemoryBook>(
            memory::MemoryBook::replay({answered(5, Today - 3, true), answered(9, Today - 3, true)})));
        QCOMPARE(round.memory()->reviewCount(), 3);
        QCOMPARE(round.memory()->card(0, birdAt(5))->reviews, 2);
        QCOMPARE(round.memory()->card(0, birdAt(5))->lapses, 1);
        // A second reply for the same showing changes nothing.
        round.memoryArrived(std::make_shared<const memory::MemoryBook>());
        QCOMPARE(round.memory()->reviewCount(), 3);
    }

    // 復習 off: the draw is the plain one, draw for draw.
    void modeOffLeavesThePlainDraw()
    {
        auto settings = Settings::inMemory();
        QVERIFY(!settings->review());
        const auto draw = quiz::chosenDraw(*settings);
        Round r(everyBirdKnown(Today - 60), false);
        for (int i = 0; i < 400; ++i) {
            const double point = (i + 0.5) / 400.0;
            QCOMPARE(draw->entryAt(r.round, point), quiz::PlainDraw::plainEntryAt(point));
        }
        settings->setReview(true);
        QVERIFY(dynamic_cast<const quiz::ReviewDraw*>(quiz::chosenDraw(*settings).get()));
    }

    // Without a history there is no memory: 復習 draws as the plain draw does.
    void withoutAMemoryTheDrawIsPlain()
    {
        FakeClock clock;
        ScriptedRandom random;
        QuizRound round(birds::numberTable(Season::SpringSummer), random, clock);
        round.setDraw(std::make_shared<quiz::ReviewDraw>());
        round.begin(false);
        random.scriptEntries({23});
        QCOMPARE(round.ChooseQuestion(), QuizRound::Next::Asked);
        QCOMPARE(round.currentEntry(), 23);
        QCOMPARE(round.dueToday(), 0);
    }
};

QTEST_GUILESS_MAIN(ReviewTest)
#include "tst_review.moc"
