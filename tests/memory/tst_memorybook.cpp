#include "MemoryBook.h"

#include <QtTest>

#include <algorithm>
#include <random>

using memory::Grade;
using memory::MemoryBook;
using memory::Review;

namespace {

Review answer(double at, int bird, bool right, qint64 ms = 2000, int mode = 0)
{
    Review review;
    review.at = at;
    review.mode = mode;
    review.bird = bird;
    review.answered = right ? bird : bird % 80 + 1;
    review.right = right;
    review.elapsedMs = ms;
    return review;
}

// A month of answers to a dozen birds in both ways of asking, several a day.
std::vector<Review> aMonth()
{
    std::vector<Review> reviews;
    std::mt19937 engine(7);
    for (int day = 0; day < 30; ++day)
        for (int i = 0; i < 12; ++i) {
            const int bird = int(engine() % 12) + 1;
            const bool right = engine() % 4 != 0;
            reviews.push_back(answer(20000 + day + i / 24.0, bird, right, 800 + qint64(engine() % 6000),
                                     int(engine() % 2)));
        }
    return reviews;
}

void compareBooks(const MemoryBook& a, const MemoryBook& b)
{
    QCOMPARE(a.reviewCount(), b.reviewCount());
    for (int mode = 0; mode < memory::Modes; ++mode)
        for (int bird = 1; bird <= 80; ++bird) {
            const memory::Card* x = a.card(mode, bird);
            const memory::Card* y = b.card(mode, bird);
            QCOMPARE(x == nullptr, y == nullptr);
            if (!x)
                continue;
            QCOMPARE(x->state.stability, y->state.stability);
            QCOMPARE(x->state.difficulty, y->state.difficulty);
            QCOMPARE(x->lastAt, y->lastAt);
            QCOMPARE(x->reviews, y->reviews);
        }
}

} // namespace

class MemoryBookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows come from SQLite in no promised order, and two piyo at once
    // interleave theirs: the memory must not depend on it.
    void sameAnswersInAnyOrderGiveTheSameMemory()
    {
        std::vector<Review> reviews = aMonth();
        const MemoryBook inOrder = MemoryBook::replay(reviews);
        std::mt19937 engine(11);
        for (int round = 0; round < 5; ++round) {
            std::shuffle(reviews.begin(), reviews.end(), engine);
            compareBooks(inOrder, MemoryBook::replay(reviews));
        }
        std::reverse(reviews.begin(), reviews.end());
        compareBooks(inOrder, MemoryBook::replay(reviews));
    }

    // The answers given after the replay, added one by one, end where a
    // replay of all of them ends.
    void answersAddedLaterMatchAReplayOfAll()
    {
        // All at one pace, so that the grades do not hang on which answers
        // the learner's pace was measured from.
        std::vector<Review> reviews = aMonth();
        for (Review& review : reviews)
            review.elapsedMs = 2000;
        std::sort(reviews.begin(), reviews.end(), MemoryBook::earlier);
        MemoryBook added = MemoryBook::replay({reviews.begin(), reviews.begin() + 200});
        for (auto it = reviews.begin() + 200; it != reviews.end(); ++it)
            added.add(*it);
        compareBooks(MemoryBook::replay(reviews), added);
    }

    void eachWayOfAskingHasAMemoryOfItsOwn()
    {
        const MemoryBook book = MemoryBook::replay({answer(100, 5, true, 2000, 1)});
        QVERIFY(book.card(1, 5));
        QVERIFY(!book.card(0, 5));
        QVERIFY(!book.recall(0, 5, 101));
        QVERIFY(*book.recall(1, 5, 101) < 1.0);
    }

    void gradeComesFromTheLearnersOwnAnswerTimes_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<Grade>("grade");
        // The learner's right answers take 1000, 1100, ... 4900 ms.
        QTest::newRow("wrong, however fast") << false << qint64(500) << Grade::Again;
        QTest::newRow("right, among the fastest tenth") << true << qint64(1100) << Grade::Easy;
        QTest::newRow("right, at the learner's usual pace") << true << qint64(3000) << Grade::Good;
        QTest::newRow("right, among the slowest tenth") << true << qint64(4800) << Grade::Hard;
    }
    void gradeComesFromTheLearnersOwnAnswerTimes()
    {
        QFETCH(bool, right);
        QFETCH(qint64, ms);
        QFETCH(Grade, grade);
        std::vector<qint64> times;
        for (int i = 0; i < 40; ++i)
            times.push_back(1000 + 100 * i);
        QCOMPARE(memory::Grading::fromRightAnswerTimes(times).grade(right, ms), grade);
    }

    // Too few answers to tell the learner's pace: a right answer is Good.
    void fewAnswersGradeEveryRightAnswerGood()
    {
        const memory::Grading grading = memory::Grading::fromRightAnswerTimes({100, 5000, 9000});
        QCOMPARE(grading.grade(true, 50), Grade::Good);
        QCOMPARE(grading.grade(true, 60000), Grade::Good);
    }

    // Two answers on the same day of the learner's, one either side of
    // midnight UTC, are a same-day review when the day starts elsewhere.
    void theLearnersDayDecidesWhatIsTheSameDay()
    {
        const std::vector<Review> reviews{answer(100.9, 3, true), answer(101.05, 3, true)};
        const MemoryBook utc = MemoryBook::replay(reviews, 0);
        const MemoryBook tokyo = MemoryBook::replay(reviews, 9.0 / 24 - 4.0 / 24);
        QCOMPARE(tokyo.card(0, 3)->state.stability, memory::Fsrs().sameDayStability(2.3065, Grade::Good));
        QVERIFY(utc.card(0, 3)->state.stability > tokyo.card(0, 3)->state.stability);
        QCOMPARE(tokyo.card(0, 3)->days.size(), std::size_t(1));
        QCOMPARE(utc.card(0, 3)->days.size(), std::size_t(2));
    }

    void dueCountsFallOnTheDayRecallDropsBelowNinetyPercent()
    {
        // Good on day 100 at noon: stability 2.3065 days, due on day 102 at 19:21.
        const MemoryBook book = MemoryBook::replay({answer(100.5, 1, true), answer(100.5, 2, false)});
        const std::vector<int> birds{1, 2, 3};
        // Bird 2 (stability 0.212) is due today; bird 3 was never asked.
        QCOMPARE(book.dueByDay(0, birds, 100.6, 4), (std::vector<int>{1, 0, 1, 0}));
        QVERIFY(book.isDue(0, 2, book.endOfDay(100.6)));
        QVERIFY(!book.isDue(0, 1, book.endOfDay(100.6)));
        // Days later both are overdue and counted today.
        QCOMPARE(book.dueByDay(0, birds, 110.0, 4), (std::vector<int>{2, 0, 0, 0}));
    }

    // The guess among forty names: a forgotten bird is still clicked 1 in 40.
    void chanceOfARightAnswerTakesInTheLuckyGuess()
    {
        QCOMPARE(memory::chanceRight(0.0), 1.0 / 40);
        QCOMPARE(memory::chanceRight(1.0), 1.0);
        QVERIFY(qAbs(memory::chanceRight(0.6) - (0.6 + 0.4 / 40)) < 1e-12);
    }
};

QTEST_GUILESS_MAIN(MemoryBookTest)
#include "tst_memorybook.moc"
