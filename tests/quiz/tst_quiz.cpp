#include "Form.h"
#include "FormLabel.h"
#include "IntervalTimer.h"
#include "PictureBox.h"
#include "QuizRig.h"

#include <QSignalSpy>
#include <QtTest>

#include <set>

using namespace Qt::StringLiterals;

using namespace quiztest;

class QuizTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
    }
    void cleanupTestCase() { testmedia::clear(); }

    void firstBirdComesAfterTheStartUpDelay_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("ticksUntilShown");
        // The wait starts on the nearest whole second, a half going to the even one.
        QTest::newRow("start rounds down") << 1000.45 << 6;
        QTest::newRow("start rounds up") << 1001.55 << 15;
        QTest::newRow("half rounds down to even") << 1002.5 << 6;
        QTest::newRow("half rounds up to even") << 1003.5 << 16;
        QTest::newRow("exactly one second is not yet over") << 1004.0 << 11;
    }
    void firstBirdComesAfterTheStartUpDelay()
    {
        QFETCH(double, start);
        QFETCH(int, ticksUntilShown);
        Rig rig;
        rig.clock.set(start);
        rig.random.scriptEntries({1});
        rig.screen.show();
        QVERIFY(rig.running(u"Timer1"_s));
        for (int tick = 1; tick < ticksUntilShown; ++tick) {
            rig.clock.set(start + tick / 10.0);
            Q_EMIT rig.form().timer(u"Timer1"_s)->tick();
            rig.settle();
            QVERIFY2(!rig.image(u"Image1"_s).hasPicture(), qPrintable(u"shown at tick %1"_s.arg(tick)));
        }
        rig.clock.set(start + ticksUntilShown / 10.0);
        Q_EMIT rig.form().timer(u"Timer1"_s)->tick();
        rig.settle();
        QVERIFY(rig.image(u"Image1"_s).hasPicture());
        QVERIFY(!rig.running(u"Timer1"_s));
        QCOMPARE(rig.calls(u"MediaPlayer1"_s), QStringList({callOf(2), u"repeat 0"_s}));
    }

    void questionShowsThePictureCentredAtItsOwnSize()
    {
        Rig rig;
        rig.random.scriptEntries({1}); // アオアシシギ, bird 2
        rig.open();
        const PictureBox& image1 = rig.image(u"Image1"_s);
        const QSize size = testmedia::pictureSize(2);
        QCOMPARE(image1.width(), size.width() * 15.0f);
        QCOMPARE(image1.height(), size.height() * 15.0f);
        QCOMPARE(image1.left(), 90 + (4470 - size.width() * 15.0f) / 2);
        QVERIFY(image1.stretch());
    }

    void clickDuringStartUpChangesNothing()
    {
        Rig rig;
        rig.screen.show();
        rig.click(3);
        QVERIFY(painted(rig.name(3), BoardBlue, White));
        QVERIFY(!rig.running(u"Timer2"_s));
    }

    // A showing left with a question open must not judge a click in the next
    // start-up against a bird that is no longer shown.
    void clickDuringStartUpAfterLeavingAnOpenQuestionChangesNothing()
    {
        Rig rig;
        rig.random.scriptEntries({4});
        rig.open();
        rig.screen.close();
        rig.screen.show();
        rig.click(3);
        QVERIFY(painted(rig.name(3), BoardBlue, White));
        QVERIFY(!rig.running(u"Timer2"_s));
        QCOMPARE(rig.caption(u"Label5"_s), QString());
    }

    void elevenQuestionsInARowAreElevenBirds()
    {
        Rig rig;
        rig.random.scriptEntries({7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 7, 8, 17});
        rig.open();
        std::vector<int> shown{rig.screen.currentEntry()};
        for (int i = 0; i < 10; ++i) {
            rig.click(rig.screen.currentEntry() - 1);
            rig.runToQuestion();
            shown.push_back(rig.screen.currentEntry());
        }
        QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), std::size_t(11));
        QCOMPARE(shown.back(), 17);                     // 7 and 8 were refused
        QCOMPARE(rig.random.reseeds, rig.random.draws); // a fresh seed before every draw
    }

    void refusedDrawLeavesTheWindowEndingWithTheAcceptedBird()
    {
        Rig rig;
        rig.random.scriptEntries({5, 6, 5, 6, 9});
        rig.open();
        rig.click(4);
        rig.runToQuestion();
        rig.click(5);
        rig.runToQuestion();
        const auto& recent = rig.screen.recentEntries();
        QCOMPARE(std::vector<int>(recent.begin() + 8, recent.end()), std::vector<int>({5, 6, 9}));
        QCOMPARE(recent[7], qint16(0));
    }

    void rightAnswer()
    {
        Rig rig;
        rig.random.scriptEntries({3, 20});
        rig.open();
        rig.click(2);
        QVERIFY(painted(rig.name(2), Yellow, Black));
        QCOMPARE(rig.calls(u"MediaPlayer1"_s).last(), u"stop"_s);
        QVERIFY(!rig.image(u"Image3"_s).isVisible());

        rig.run(0.6);
        QVERIFY(rig.image(u"Image3"_s).isVisible());
        QVERIFY(rig.image(u"Image3"_s).hasPicture());
        QCOMPARE(rig.calls(u"MediaPlayer2"_s),
                 QStringList({u"source "_s +
                                  media::feedbackFilePath(testmedia::root(), media::FeedbackFile::RightSound),
                              u"repeat 1"_s}));
        QCOMPARE(rig.caption(u"Label5"_s), u"1"_s);
        QCOMPARE(rig.caption(u"Label6"_s), QString());

        rig.runToQuestion();
        QVERIFY(painted(rig.name(2), BoardBlue, White));
        QVERIFY(!rig.image(u"Image3"_s).isVisible());
        QCOMPARE(rig.screen.currentEntry(), 20);
        QVERIFY(!rig.timersSeenRunning.contains(u"Timer4"_s));
    }

    void wrongAnswerShowsTheShownBirdInRed()
    {
        Rig rig;
        rig.random.scriptEntries({3, 20});
        rig.open();
        rig.click(5);
        rig.run(0.6);
        QVERIFY(rig.image(u"Image3"_s).isVisible());
        QCOMPARE(rig.calls(u"MediaPlayer2"_s).mid(0, 1),
                 QStringList(u"source "_s +
                             media::feedbackFilePath(testmedia::root(), media::FeedbackFile::WrongSound)));
        QCOMPARE(rig.caption(u"Label6"_s), u"1"_s);
        QCOMPARE(rig.caption(u"Label5"_s), QString());

        QVERIFY(rig.stepUntil([&] { return rig.running(u"Timer4"_s); }));
        QVERIFY(painted(rig.name(5), BoardBlue, White));
        QVERIFY(painted(rig.name(2), Red, White));
        QVERIFY(!rig.image(u"Image3"_s).isVisible());
        QCOMPARE(rig.screen.currentEntry(), 3);

        rig.runToQuestion();
        QVERIFY(painted(rig.name(2), BoardBlue, White));
        QCOMPARE(rig.screen.currentEntry(), 20);
    }

    void feedbackAndRevealLastAsLongAsTheyShould()
    {
        Rig rig;
        rig.clock.set(2000.0);
        rig.random.scriptEntries({3, 20});
        rig.open();
        rig.click(5);
        // From a click at a known time: feedback at 0.1–0.6 s, stays 1.0–2.0 s,
        // the red name 1.5–2.5 s.
        const double clicked = rig.clock.seconds();
        QVERIFY(rig.stepUntil([&] { return rig.image(u"Image3"_s).isVisible(); }));
        const double feedback = rig.clock.seconds();
        QVERIFY(feedback - clicked > 0.1 - 1e-9 && feedback - clicked < 0.65);
        QVERIFY(rig.stepUntil([&] { return rig.running(u"Timer4"_s); }));
        const double revealed = rig.clock.seconds();
        QVERIFY(revealed - feedback > 0.95 && revealed - feedback < 2.05);
        rig.runToQuestion();
        QVERIFY(rig.clock.seconds() - revealed > 1.45 && rig.clock.seconds() - revealed < 2.55);
    }

    void secondClicksAreIgnoredUntilTheNextBird()
    {
        Rig rig;
        rig.random.scriptEntries({3});
        rig.open();
        rig.click(2);
        rig.click(7); // while the answer is judged
        rig.run(0.6);
        rig.click(8); // while the feedback shows
        QVERIFY(painted(rig.name(7), BoardBlue, White));
        QVERIFY(painted(rig.name(8), BoardBlue, White));
        QCOMPARE(rig.caption(u"Label5"_s), u"1"_s);
        QCOMPARE(rig.caption(u"Label6"_s), QString());
        QCOMPARE(rig.calls(u"MediaPlayer2"_s).count(u"repeat 1"_s), 1);
    }

    void birdWithoutCallIsShownSilentlyAndAnswered()
    {
        testmedia::remove(u"声/k7.wav"_s); // アカエリヒレアシシギ, entry 3
        Rig rig;
        rig.random.scriptEntries({3, 1});
        rig.open();
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.calls(u"MediaPlayer1"_s), QStringList());
        rig.click(2);
        rig.runToQuestion();
        QCOMPARE(rig.caption(u"Label5"_s), u"1"_s);
        QCOMPARE(rig.calls(u"MediaPlayer1"_s).mid(1), QStringList({callOf(2), u"repeat 0"_s}));
    }

    void missingMediaStillLetsTheQuizGoOn_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("bird picture") << u"姿/b7.gif"_s;
        QTest::newRow("right-answer picture") << u"姿/maru.gif"_s;
        QTest::newRow("right-answer sound") << u"声/o.wav"_s;
        QTest::newRow("all pictures") << u"姿"_s;
        QTest::newRow("all sounds") << u"声"_s;
    }
    void missingMediaStillLetsTheQuizGoOn()
    {
        QFETCH(QString, missing);
        testmedia::remove(missing);
        Rig rig;
        rig.random.scriptEntries({3, 3, 3, 1});
        rig.open();
        rig.click(2);
        rig.runToQuestion();
        QCOMPARE(rig.caption(u"Label5"_s), u"1"_s);
        QCOMPARE(rig.screen.currentEntry(), 1);
    }

    void leavingDuringFeedbackStopsEverything()
    {
        Rig rig;
        rig.random.scriptEntries({3});
        rig.open();
        rig.click(5);
        rig.run(0.6);
        rig.screen.close();
        QVERIFY(!rig.screen.isOpen());
        for (int i = 0; i < 50; ++i)
            rig.step();
        QTest::qWait(300); // real timers too: none may tick for a closed screen
        QCOMPARE(rig.screen.wrongCount(), 1);
    }

    void comingBackStartsAfresh()
    {
        Rig rig;
        rig.random.scriptEntries({3, 4});
        rig.open();
        rig.click(2);
        rig.runToQuestion();
        rig.screen.close();
        rig.screen.show();
        QCOMPARE(rig.caption(u"Label5"_s), QString());
        QCOMPARE(rig.caption(u"Label6"_s), QString());
        QVERIFY(!rig.image(u"Image1"_s).hasPicture());
        QCOMPARE(rig.screen.rightCount(), 0);
        for (qint16 slot : rig.screen.recentEntries())
            QCOMPARE(slot, qint16(0));
        QVERIFY(rig.running(u"Timer1"_s));
    }

    void leavingLabelsOpenTheirScreens_data()
    {
        QTest::addColumn<Season>("season");
        QTest::addColumn<QString>("label");
        QTest::addColumn<ScreenId>("target");
        QTest::newRow("春夏 ピヨ調べ")
            << Season::SpringSummer << u"Label3"_s << ScreenId::SpringSummerReference;
        QTest::newRow("秋冬 ピヨ調べ")
            << Season::AutumnWinter << u"Label3"_s << ScreenId::AutumnWinterReference;
        QTest::newRow("メニュー") << Season::AutumnWinter << u"Label4"_s << ScreenId::Menu;
    }
    void leavingLabelsOpenTheirScreens()
    {
        QFETCH(Season, season);
        QFETCH(QString, label);
        QFETCH(ScreenId, target);
        Rig rig(season);
        rig.screen.show();
        QSignalSpy spy(&rig.screen, &Screen::switchRequested);
        QTest::mouseClick(rig.form().label(label), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<ScreenId>(), target);
    }

    void autumnWinterQuizUsesItsOwnBirds()
    {
        Rig rig(Season::AutumnWinter);
        rig.random.scriptEntries({1});
        rig.open();
        QCOMPARE(rig.form().windowTitle(), u"ピヨ探し（秋冬）"_s);
        QCOMPARE(rig.name(0).text(), u"ウミネコ"_s);
        QCOMPARE(rig.calls(u"MediaPlayer1"_s).mid(0, 1), QStringList(callOf(61)));
    }
};

QTEST_MAIN(QuizTest)
#include "tst_quiz.moc"
