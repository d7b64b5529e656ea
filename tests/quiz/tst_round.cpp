#include "ByEarAsking.h"
#include "FakeClock.h"
#include "QuizRound.h"
#include "ScriptedRandom.h"
#include "WeakFirstDraw.h"

#include <QtTest>

#include <set>

using namespace Qt::StringLiterals;
using quiz::QuizRound;

namespace {

using Entries = std::vector<int>;

QuizRound::CallTable callsFor(const Entries& entries)
{
    QuizRound::CallTable table{};
    for (int entry : entries)
        table[std::size_t(entry)] = true;
    return table;
}

// The draw that lands on entry among weights that are all 1 but the given ones.
double drawFor(int entry, const std::map<int, int>& weights = {})
{
    int total = 0;
    int before = 0;
    for (int e = 1; e <= birds::BoardSize; ++e) {
        const int weight = weights.contains(e) ? weights.at(e) : 1;
        if (e < entry)
            before += weight;
        total += weight;
    }
    return (before + 0.5) / total;
}

struct Round
{
    FakeClock clock;
    ScriptedRandom random;
    QuizRound round{birds::numberTable(Season::SpringSummer), random, clock};

    // Asks and answers right, n times; the birds asked.
    Entries ask(int n)
    {
        Entries asked;
        for (int i = 0; i < n; ++i) {
            if (round.ChooseQuestion() != QuizRound::Next::Asked)
                break;
            asked.push_back(round.currentEntry());
            round.answerGiven(round.currentEntry());
            round.judge();
        }
        return asked;
    }
};

} // namespace

Q_DECLARE_METATYPE(Entries)

class RoundTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // With every mode off the draw is the plain one: one fresh seed before each
    // draw, a bird among the last ten drawn again.
    void plainDrawRefusesTheLastTen_data()
    {
        QTest::addColumn<Entries>("scripted");
        QTest::addColumn<Entries>("asked");
        QTest::addColumn<int>("draws");
        QTest::newRow("every draw taken") << Entries{7, 8, 9} << Entries{7, 8, 9} << 3;
        QTest::newRow("a repeat drawn again") << Entries{5, 6, 5, 6, 9} << Entries{5, 6, 9} << 5;
        QTest::newRow("eleven in a row are eleven birds")
            << Entries{7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 7, 8, 17}
            << Entries{7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17} << 13;
        QTest::newRow("the eleventh back may come again")
            << Entries{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1} << Entries{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1}
            << 12;
        QTest::newRow("r just below 1 is the last bird") << Entries{} << Entries{40} << 1;
    }
    void plainDrawRefusesTheLastTen()
    {
        QFETCH(Entries, scripted);
        QFETCH(Entries, asked);
        QFETCH(int, draws);
        Round r;
        if (scripted.empty())
            r.random.script({std::nextafter(1.0, 0.0)});
        for (int entry : scripted)
            r.random.scriptEntries({entry});
        QCOMPARE(r.ask(int(asked.size())), asked);
        QCOMPARE(r.random.draws, draws);
        QCOMPARE(r.random.reseeds, draws);
    }

    void recentWindowEndsWithTheLatestBird()
    {
        Round r;
        r.random.scriptEntries({5, 6, 5, 6, 9});
        r.ask(3);
        QuizRound::RecentEntries expected{};
        expected[8] = 5;
        expected[9] = 6;
        expected[10] = 9;
        QCOMPARE(r.round.recentEntries(), expected);
    }

    // By ear only birds with a call come, and with few of them the window
    // shrinks to one less than their number.
    void byEarAsksOnlyBirdsWithACall_data()
    {
        QTest::addColumn<Entries>("callable");
        QTest::addColumn<Entries>("scripted");
        QTest::addColumn<Entries>("asked");
        QTest::newRow("a silent bird drawn again") << Entries{1, 2, 3} << Entries{20, 2} << Entries{2};
        QTest::newRow("three birds: none back within two")
            << Entries{4, 9, 30} << Entries{4, 9, 4, 9, 30, 4} << Entries{4, 9, 30, 4};
        QTest::newRow("one bird: asked every time")
            << Entries{12} << Entries{12, 12, 12} << Entries{12, 12, 12};
    }
    void byEarAsksOnlyBirdsWithACall()
    {
        QFETCH(Entries, callable);
        QFETCH(Entries, scripted);
        QFETCH(Entries, asked);
        Round r;
        r.round.begin(false);
        r.round.setAsking(std::make_shared<quiz::ByEarAsking>());
        r.round.setCalls(callsFor(callable));
        for (int entry : scripted)
            r.random.scriptEntries({entry});
        QCOMPARE(r.ask(int(asked.size())), asked);
        QCOMPARE(r.round.questionAsking().recordedAs(), history::QuizMode::ByEar);
    }

    void byEarWaitsForTheCallsAndSaysWhenNoneHasOne()
    {
        Round r;
        r.round.begin(false);
        r.round.setAsking(std::make_shared<quiz::ByEarAsking>());
        QCOMPARE(r.round.ChooseQuestion(), QuizRound::Next::WaitingForCalls);
        QVERIFY(r.round.setCalls(callsFor({}))); // the question waits: ask again
        QVERIFY(!r.round.setCalls(callsFor({})));
        QCOMPARE(r.round.ChooseQuestion(), QuizRound::Next::NothingToAsk);
        QCOMPARE(r.random.draws, 0);
    }

    // 苦手優先: a bird missed three times of its last five weighs 4.
    void weakFirstFavoursMissedBirds_data()
    {
        QTest::addColumn<bool>("weakFirst");
        QTest::addColumn<double>("draw");
        QTest::addColumn<int>("asked");
        const std::map<int, int> weights{{3, 4}};
        QTest::newRow("off: the plain draw") << false << drawFor(4, weights) << 7;
        QTest::newRow("on: the weak bird's wider share") << true << drawFor(3, weights) + 3.0 / 43 << 3;
        QTest::newRow("on: the bird after it") << true << drawFor(4, weights) << 4;
    }
    void weakFirstFavoursMissedBirds()
    {
        QFETCH(bool, weakFirst);
        QFETCH(double, draw);
        QFETCH(int, asked);
        Round r;
        r.round.begin(true);
        if (weakFirst)
            r.round.setDraw(std::make_shared<quiz::WeakFirstDraw>());
        const int bird3 = r.round.birdNumber(3);
        r.round.lastAnswersArrived(std::map<int, std::vector<bool>>{{bird3, {false, false, true, false}}});
        QCOMPARE(r.round.weakBirds()->weight(3), 4);
        r.random.script({draw});
        QCOMPARE(r.ask(1), Entries{asked});
    }

    // Answers judged while the history is still reading are added once, to
    // what the history says, whether they came before or after.
    void answersBeforeTheHistoryCountOnce_data()
    {
        QTest::addColumn<bool>("historyOn");
        QTest::addColumn<int>("weight");
        QTest::newRow("history answers") << true << 4;
        QTest::newRow("history off for the run") << false << 0;
    }
    void answersBeforeTheHistoryCountOnce()
    {
        QFETCH(bool, historyOn);
        QFETCH(int, weight);
        Round r;
        r.round.begin(true);
        r.random.scriptEntries({3});
        QCOMPARE(r.round.ChooseQuestion(), QuizRound::Next::Asked);
        r.round.answerGiven(4);
        QVERIFY(!r.round.judge()); // a miss before the history has answered
        QVERIFY(!r.round.weakBirds());
        const int bird3 = r.round.birdNumber(3);
        if (historyOn)
            r.round.lastAnswersArrived(std::map<int, std::vector<bool>>{{bird3, {false, false}}});
        else
            r.round.lastAnswersArrived(std::nullopt);
        QCOMPARE(r.round.weakBirds() ? r.round.weakBirds()->weight(3) : 0, weight);
        // A late second reply (from an earlier showing) changes nothing.
        r.round.lastAnswersArrived(
            std::map<int, std::vector<bool>>{{bird3, {false, false, false, false, false}}});
        QCOMPARE(r.round.weakBirds() ? r.round.weakBirds()->weight(3) : 0, weight);
    }

    void countsAndMemoryStartAfreshEachShowing()
    {
        Round r;
        r.round.begin(true);
        r.random.scriptEntries({3, 9});
        r.round.ChooseQuestion();
        r.round.answerGiven(3);
        r.round.judge();
        r.round.ChooseQuestion();
        r.round.answerGiven(1);
        r.round.judge();
        QCOMPARE(r.round.rightCount(), 1);
        QCOMPARE(r.round.wrongCount(), 1);
        r.round.begin(true);
        QCOMPARE(r.round.rightCount(), 0);
        QCOMPARE(r.round.wrongCount(), 0);
        QCOMPARE(r.round.recentEntries(), QuizRound::RecentEntries{});
        r.round.lastAnswersArrived(std::map<int, std::vector<bool>>{});
        QCOMPARE(r.round.weakBirds()->weight(3),
                 1); // the last showing's answers came from the history, not memory
    }
};

QTEST_MAIN(RoundTest)
#include "tst_round.moc"
