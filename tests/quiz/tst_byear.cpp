#include "BirdTables.h"
#include "Fonts.h"
#include "QuizLayout.h"
#include "QuizRig.h"
#include "SpectrogramView.h"

#include <QSettings>
#include <QtTest>

#include <set>

using namespace Qt::StringLiterals;
using namespace quiztest;

namespace {

void setByEar(bool on)
{
    QSettings(u"piyo"_s, u"piyo"_s).setValue(u"quiz/byEar"_s, on);
}

// Leaves a call file only for the spring/summer birds at the given table entries.
void keepCallsOnlyFor(const std::set<int>& entries)
{
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        if (!entries.contains(entry))
            testmedia::remove(u"声/k%1.wav"_s.arg(birds::birdNumberAt(Season::SpringSummer, entry - 1)));
}

FormLabel& byEarLabel(Rig& rig)
{
    return *rig.form().label(quiz::ByEar);
}

} // namespace

class ByEarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installJapaneseFonts(); }
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
        setByEar(false);
    }
    void cleanupTestCase() { testmedia::clear(); }

    void toggleIsOffByDefaultAndRememberedForBothSets()
    {
        QSettings(u"piyo"_s, u"piyo"_s).clear();
        {
            Rig rig(Season::SpringSummer);
            rig.screen.show();
            QCOMPARE(byEarLabel(rig).text(), u"□声だけ"_s);
            QTest::mouseClick(&byEarLabel(rig), Qt::LeftButton);
            QCOMPARE(byEarLabel(rig).text(), u"■声だけ"_s);
        }
        Rig other(Season::AutumnWinter);
        other.screen.show();
        QCOMPARE(other.form().label(quiz::ByEar)->text(), u"■声だけ"_s);
    }

    // The caption is the largest of the board's font that fits the gap.
    void toggleCaptionFitsTheTopBar()
    {
        Rig rig;
        rig.screen.show();
        FormLabel& label = byEarLabel(rig);
        const int room = label.contentsRect().width();
        QVERIFY(QFontMetrics(label.font()).horizontalAdvance(u"■声だけ"_s) <= room);
        QFont larger = label.font();
        larger.setPixelSize(larger.pixelSize() + 1);
        QVERIFY(QFontMetrics(larger).horizontalAdvance(u"■声だけ"_s) > room);
        QVERIFY(label.geometry().left() >= rig.image(u"Image2"_s).geometry().right());
        QVERIFY(label.geometry().right() < rig.form().label(u"Label3"_s)->geometry().left());
    }

    void pictureIsHiddenUntilTheAnswerIsJudged()
    {
        setByEar(true);
        Rig rig;
        rig.random.scriptEntries({3, 20}); // アカエリヒレアシシギ, bird 7
        rig.open();
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.calls(u"MediaPlayer1"_s), QStringList({callOf(7), u"repeat 0"_s}));
        rig.click(5);
        QVERIFY(!rig.image(u"Image1"_s).isVisible()); // clicked, not yet judged
        rig.run(0.6);
        QVERIFY(rig.image(u"Image3"_s).isVisible());
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QVERIFY(rig.image(u"Image1"_s).hasPicture());
        QCOMPARE(rig.calls(u"MediaPlayer1"_s).count(u"repeat 0"_s), 1); // the call does not start again
        rig.runToQuestion();
        QCOMPARE(rig.screen.currentEntry(), 20);
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
    }

    // The call's spectrogram would give the answer away: it comes only once
    // the answer is judged, and goes with the next question.
    void spectrogramComesOnlyOnceTheAnswerIsJudged_data()
    {
        QTest::addColumn<bool>("byEar");
        QTest::newRow("by picture") << false;
        QTest::newRow("by ear") << true;
    }

    void spectrogramComesOnlyOnceTheAnswerIsJudged()
    {
        QFETCH(bool, byEar);
        setByEar(byEar);
        Rig rig;
        rig.random.scriptEntries({3, 20});
        rig.open();
        auto* spectrogram = rig.form().findChild<SpectrogramView*>();
        QVERIFY(spectrogram);
        QVERIFY(!spectrogram->isVisible());
        rig.click(5);
        QVERIFY(!spectrogram->isVisible()); // clicked, not yet judged
        rig.run(0.6);
        QVERIFY(spectrogram->isVisible());
        rig.runToQuestion();
        QCOMPARE(rig.screen.currentEntry(), 20);
        QVERIFY(!spectrogram->isVisible());
    }

    void birdOnShowFollowsTheToggleAtOnce()
    {
        Rig rig;
        rig.random.scriptEntries({3});
        rig.open();
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QTest::mouseClick(&byEarLabel(rig), Qt::LeftButton);
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
        QTest::mouseClick(&byEarLabel(rig), Qt::LeftButton);
        rig.settle();
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QTest::mouseClick(&byEarLabel(rig), Qt::LeftButton);
        rig.click(2);
        rig.run(0.6);
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.calls(u"MediaPlayer1"_s).count(u"repeat 0"_s), 1); // the call was never restarted
    }

    void onlyBirdsWithACallAreDrawn()
    {
        setByEar(true);
        testmedia::remove(u"声/k7.wav"_s); // entry 3
        Rig rig;
        rig.random.scriptEntries({3, 3, 1});
        rig.open();
        QCOMPARE(rig.screen.currentEntry(), 1);
        QCOMPARE(rig.random.draws, 3);
    }

    // With three birds to ask, no bird may come back within two questions, and
    // the quiz must not draw for ever looking for a fourth.
    void threeCallableBirdsCycle()
    {
        setByEar(true);
        keepCallsOnlyFor({4, 9, 30});
        Rig rig;
        rig.open();
        std::vector<int> shown{rig.screen.currentEntry()};
        for (int i = 0; i < 12; ++i) {
            rig.click(rig.screen.currentEntry() - 1);
            rig.runToQuestion();
            shown.push_back(rig.screen.currentEntry());
        }
        for (std::size_t i = 0; i + 2 < shown.size(); ++i)
            QCOMPARE(std::set<int>({shown[i], shown[i + 1], shown[i + 2]}), std::set<int>({4, 9, 30}));
    }

    void noBirdWithACallSaysSoAndNeverDraws()
    {
        setByEar(true);
        testmedia::remove(u"声"_s);
        Rig rig;
        rig.open();
        rig.run(3.0);
        FormLabel& message = *rig.form().label(quiz::NoCalls);
        QVERIFY(message.isVisible());
        QCOMPARE(message.text(), u"この組には声のファイルがありません"_s);
        QCOMPARE(rig.random.draws, 0);
        rig.click(3);
        QVERIFY(!rig.running(u"Timer2"_s));

        // Turned off, the quiz goes on with pictures.
        rig.random.scriptEntries({5});
        QTest::mouseClick(&byEarLabel(rig), Qt::LeftButton);
        rig.settle();
        QVERIFY(!message.isVisible());
        QCOMPARE(rig.screen.currentEntry(), 5);
        QVERIFY(rig.image(u"Image1"_s).isVisible());
    }

    // With no sound server the call cannot be heard: the empty panel says so,
    // and the picture shows as usual once the answer is judged.
    void withoutSoundTheEmptyPanelSaysWhy()
    {
        setByEar(true);
        Rig rig;
        rig.services.soundIsOff = [] { return true; };
        rig.random.scriptEntries({3});
        rig.open();
        FormLabel& notice = *rig.form().label(quiz::NoCalls);
        QVERIFY(notice.isVisible());
        QCOMPARE(notice.text(), quiz::NoSoundText);
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
        rig.click(2);
        rig.run(0.3);
        QVERIFY(!notice.isVisible());
        QVERIFY(rig.image(u"Image1"_s).isVisible());
    }

    void everyJudgedAnswerIsRecorded()
    {
        Rig rig;
        rig.clock.set(5000.0);
        rig.random.scriptEntries({3, 20});
        rig.open();
        rig.run(0.7);
        rig.click(2);
        rig.runToQuestion();
        rig.click(5);
        rig.run(0.6);
        QCOMPARE(rig.history.answers.size(), std::size_t(2));
        const history::Answer& right = rig.history.answers[0];
        QCOMPARE(right.season, Season::SpringSummer);
        QCOMPARE(right.mode, history::QuizMode::PictureAndCall);
        QCOMPARE(right.shownBird, 7);
        QCOMPARE(right.answeredBird, 7);
        QVERIFY(right.right);
        QCOMPARE(right.elapsedMs, 700);
        QVERIFY(qAbs(right.at.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(right.at.timeSpec(), Qt::UTC);
        const history::Answer& wrong = rig.history.answers[1];
        QCOMPARE(wrong.shownBird, int(birds::birdNumberAt(Season::SpringSummer, 19)));
        QCOMPARE(wrong.answeredBird, int(birds::birdNumberAt(Season::SpringSummer, 5)));
        QVERIFY(!wrong.right);
    }
};

QTEST_MAIN(ByEarTest)
#include "tst_byear.moc"
