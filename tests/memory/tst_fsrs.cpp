#include "Fsrs.h"

#include <QtTest>

using memory::Grade;
using memory::State;

Q_DECLARE_METATYPE(Grade)

// Each expected value worked by hand from the published formulas and the
// default weights, to five or more significant digits.
class FsrsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void retrievabilityFollowsThePowerCurve_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<double>("stability");
        QTest::addColumn<double>("recall");
        QTest::newRow("just reviewed") << 0.0 << 5.0 << 1.0;
        QTest::newRow("after as many days as the stability: 90 %") << 5.0 << 5.0 << 0.9;
        // F = 0.9^(−1/0.1542) − 1 = 0.980346; (1 + F·10/5)^−0.1542
        QTest::newRow("twice the stability") << 10.0 << 5.0 << 0.845885;
        QTest::newRow("a long interval, ten times the stability") << 100.0 << 10.0 << 0.692827;
    }
    void retrievabilityFollowsThePowerCurve()
    {
        QFETCH(double, days);
        QFETCH(double, stability);
        QFETCH(double, recall);
        QVERIFY(qAbs(memory::Fsrs().retrievability(days, stability) - recall) < 1e-6);
    }

    // The interval is the inverse of the curve: at 90 % it is the stability.
    void intervalInvertsTheCurve()
    {
        const memory::Fsrs fsrs;
        QVERIFY(qAbs(fsrs.interval(0.9, 7.0) - 7.0) < 1e-9);
        QVERIFY(qAbs(fsrs.interval(0.8, 7.0) - 23.21172) < 1e-4);
        QVERIFY(qAbs(fsrs.retrievability(fsrs.interval(0.8, 7.0), 7.0) - 0.8) < 1e-9);
    }

    void firstReview_data()
    {
        QTest::addColumn<Grade>("grade");
        QTest::addColumn<double>("stability");
        QTest::addColumn<double>("difficulty");
        QTest::newRow("again: w0, w4") << Grade::Again << 0.212 << 6.4133;
        QTest::newRow("hard: w1, w4 − e^w5 + 1") << Grade::Hard << 1.2931 << 5.112171;
        QTest::newRow("good: w2, w4 − e^(2·w5) + 1") << Grade::Good << 2.3065 << 2.118104;
        QTest::newRow("easy: w3, difficulty held at 1") << Grade::Easy << 8.2956 << 1.0;
    }
    void firstReview()
    {
        QFETCH(Grade, grade);
        QFETCH(double, stability);
        QFETCH(double, difficulty);
        const State state = memory::Fsrs().first(grade);
        QVERIFY(qAbs(state.stability - stability) < 1e-6);
        QVERIFY(qAbs(state.difficulty - difficulty) < 1e-6);
    }

    void laterReview_data()
    {
        QTest::addColumn<double>("stability");
        QTest::addColumn<double>("difficulty");
        QTest::addColumn<int>("days");
        QTest::addColumn<Grade>("grade");
        QTest::addColumn<double>("newStability");
        QTest::addColumn<double>("newDifficulty");
        // R(3, 2.3065) = 0.880948; S·(1 + e^w8·(11 − D)·S^−w9·(e^(w10·(1−R)) − 1))
        QTest::newRow("first good, good three days on")
            << 2.3065 << 2.118104 << 3 << Grade::Good << 13.826904 << 2.111214;
        QTest::newRow("first good, hard three days on: the hard penalty")
            << 2.3065 << 2.118104 << 3 << Grade::Hard << 9.234871 << 4.752858;
        QTest::newRow("first good, easy three days on: the easy bonus")
            << 2.3065 << 2.118104 << 3 << Grade::Easy << 23.883064 << 1.0;
        // w11·D^−w12·((S+1)^w13 − 1)·e^(w14·(1−R)) with R = 0.9
        QTest::newRow("a lapse after twenty days")
            << 20.0 << 5.0 << 20 << Grade::Again << 1.943581 << 8.341762;
        QTest::newRow("a long interval: good after 100 days at stability 10")
            << 10.0 << 5.0 << 100 << Grade::Good << 83.639356 << 4.990228;
        // S·e^(w17·(G − 3 + w18))·S^−w19, never below S when right
        QTest::newRow("the same day, good: stability kept")
            << 2.3065 << 2.118104 << 0 << Grade::Good << 2.3065 << 2.111214;
        QTest::newRow("the same day, easy") << 2.3065 << 2.118104 << 0 << Grade::Easy << 3.946054 << 1.0;
        QTest::newRow("the same day, again")
            << 2.3065 << 2.118104 << 0 << Grade::Again << 0.775084 << 7.394503;
    }
    void laterReview()
    {
        QFETCH(double, stability);
        QFETCH(double, difficulty);
        QFETCH(int, days);
        QFETCH(Grade, grade);
        QFETCH(double, newStability);
        QFETCH(double, newDifficulty);
        const State after = memory::Fsrs().next({stability, difficulty}, days, grade);
        QVERIFY2(qAbs(after.stability - newStability) < 1e-5, qPrintable(QString::number(after.stability)));
        QVERIFY2(qAbs(after.difficulty - newDifficulty) < 1e-5,
                 qPrintable(QString::number(after.difficulty)));
    }

    // A lapse of a fresh memory may not leave it more stable than a same-day
    // lapse would: the cap S / e^(w17·w18).
    void lapseNeverRaisesStability()
    {
        const memory::Fsrs fsrs;
        for (double s : {0.01, 0.2, 1.0, 5.0, 50.0, 500.0})
            for (int days : {1, 3, 30, 300}) {
                const State after = fsrs.next({s, 5.0}, days, Grade::Again);
                QVERIFY(after.stability <= s);
            }
    }
};

QTEST_GUILESS_MAIN(FsrsTest)
#include "tst_fsrs.moc"
