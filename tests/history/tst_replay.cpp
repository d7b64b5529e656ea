#include "AnswerHistory.h"
#include "SqliteHistory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Start(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);

history::Answer answer(int shown, int answered, const QDateTime& at, history::QuizMode mode)
{
    history::Answer a;
    a.at = at;
    a.mode = mode;
    a.shownBird = shown;
    a.answeredBird = answered;
    a.right = shown == answered;
    a.elapsedMs = 1500;
    return a;
}

memory::Review reviewOf(const history::Answer& a)
{
    memory::Review review;
    review.at = double(a.at.toMSecsSinceEpoch()) / 86'400'000.0;
    review.mode = int(a.mode);
    review.bird = a.shownBird;
    review.answered = a.answeredBird;
    review.right = a.right;
    review.elapsedMs = a.elapsedMs;
    return review;
}

// Three weeks of answers to five birds, in both ways of asking.
std::vector<history::Answer> threeWeeks()
{
    std::vector<history::Answer> answers;
    std::mt19937 engine(3);
    for (int day = 0; day < 21; ++day)
        for (int i = 0; i < 6; ++i) {
            const int shown = int(engine() % 5) + 1;
            const int answered = engine() % 3 == 0 ? shown % 5 + 1 : shown;
            const auto mode = engine() % 2 ? history::QuizMode::ByEar : history::QuizMode::PictureAndCall;
            answers.push_back(answer(shown, answered, Start.addDays(day).addSecs(i * 97), mode));
        }
    return answers;
}

history::Memory memoryOf(SqliteHistory& history)
{
    QObject context;
    std::optional<history::Memory> got;
    history.memory(Season::SpringSummer, 0, &context, [&](const history::Memory& m) { got = m; });
    [&] { QTRY_VERIFY_WITH_TIMEOUT(got.has_value(), 10000); }();
    return got.value_or(nullptr);
}

} // namespace

class ReplayTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + u"/piyo"_s; }

private Q_SLOTS:
    void init() { QDir(folder()).removeRecursively(); }

    // Written out of order, as two piyo at once may write them: the replay
    // on the history's thread is the replay of the same answers in memory.
    void replayOfTheFileIsTheReplayOfItsAnswers()
    {
        std::vector<history::Answer> answers = threeWeeks();
        std::shuffle(answers.begin(), answers.end(), std::mt19937(5));
        SqliteHistory history(folder());
        std::vector<memory::Review> reviews;
        for (const history::Answer& a : answers) {
            history.record(a);
            reviews.push_back(reviewOf(a));
        }
        history::Answer autumn = answer(61, 61, Start, history::QuizMode::PictureAndCall);
        autumn.season = Season::AutumnWinter;
        history.record(autumn);

        const history::Memory replayed = memoryOf(history);
        QVERIFY(replayed);
        const memory::MemoryBook expected = memory::MemoryBook::replay(reviews);
        QCOMPARE(replayed->reviewCount(), int(answers.size()));
        for (int mode = 0; mode < memory::Modes; ++mode)
            for (int bird = 1; bird <= 5; ++bird) {
                const memory::Card* got = replayed->card(mode, bird);
                const memory::Card* want = expected.card(mode, bird);
                QVERIFY(got && want);
                QCOMPARE(got->reviews, want->reviews);
                // The file keeps times to the millisecond, SQLite's day count to
                // a few microseconds.
                QVERIFY(qAbs(got->lastAt - want->lastAt) < 1e-6);
                QVERIFY(qAbs(got->state.stability - want->state.stability) < 1e-6);
                QVERIFY(qAbs(got->state.difficulty - want->state.difficulty) < 1e-9);
            }
        QVERIFY(!replayed->card(0, 61));
    }

    // Asked for while answers are still being handed over: those handed over
    // before are in the replay, those after are not (the quiz adds them itself).
    void answersRecordedAfterTheAskAreNotInTheReplay()
    {
        SqliteHistory history(folder());
        history.record(answer(1, 1, Start, history::QuizMode::PictureAndCall));
        history.record(answer(2, 3, Start, history::QuizMode::PictureAndCall));
        QObject context;
        history::Memory first;
        bool arrived = false;
        history.memory(Season::SpringSummer, 0, &context, [&](const history::Memory& m) {
            first = m;
            arrived = true;
        });
        history.record(answer(1, 1, Start.addDays(1), history::QuizMode::PictureAndCall));
        QTRY_VERIFY(arrived);
        QVERIFY(first);
        QCOMPARE(first->reviewCount(), 2);
        QCOMPARE(memoryOf(history)->reviewCount(), 3);
    }

    void aHistoryThatIsOffHasNoMemory()
    {
        QVERIFY(QDir().mkpath(m_dir.path()));
        QFile blocker(folder()); // the folder cannot be made
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SqliteHistory history(folder());
        QVERIFY(!memoryOf(history));
        QFile::remove(folder());
    }
};

QTEST_GUILESS_MAIN(ReplayTest)
#include "tst_replay.moc"
