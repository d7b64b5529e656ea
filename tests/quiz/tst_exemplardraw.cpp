#include "BirdTables.h"
#include "ExemplarRotation.h"
#include "Fonts.h"
#include "QuizLayout.h"
#include "QuizRig.h"
#include "SpectrogramView.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quiztest;
using Kind = quiz::ExemplarRotation::Kind;

namespace {

const QDateTime Today = QDateTime(QDate(2026, 6, 1), QTime(8, 0), Qt::UTC);

history::ExemplarUse used(int bird, bool call, int exemplar, int daysAgo)
{
    return {bird, call, exemplar, Today.addDays(-daysAgo), 1};
}

// The further files of a bird beside its own, with tags.
void writeFurther(int bird, int count)
{
    const QString root = testmedia::root();
    for (int n = 2; n <= count; ++n) {
        QVERIFY(QFile::copy(root + u"/姿/b%1.gif"_s.arg(bird), root + u"/姿/b%1-%2.gif"_s.arg(bird).arg(n)));
        QFile call(root + u"/声/k%1-%2.wav"_s.arg(bird).arg(n));
        QVERIFY(call.open(QIODevice::WriteOnly));
        call.write(testmedia::toneWav(1000.0 + 100 * n, 0.3));
        call.close();
        QFile tags(root + u"/声/k%1-%2.tags"_s.arg(bird).arg(n));
        QVERIFY(tags.open(QIODevice::WriteOnly));
        tags.write(u"飛翔\n聞きなし: 「キリッ%1」\n"_s.arg(n).toUtf8());
    }
}

// Which of the bird's recordings a "source …" line plays: k5.wav is 1, k5-3.wav 3.
int exemplarPlayed(const QString& line)
{
    const QString name = line.section(u'/', -1);
    return name.contains(u'-') ? name.section(u'-', 1).section(u'.', 0, 0).toInt() : 1;
}

// What the progress view says the quiz has not shown yet of the bird.
QString unseenOf(Rig& rig, int bird)
{
    rig.clickAt(*rig.form().label(quiz::Progress));
    const quiz::ProgressView* view = rig.screen.progressView();
    QString text = u"no progress view"_s;
    if (view && view->isOpen())
        for (const quiz::BirdProgress& line : view->page()->progress().birds)
            if (line.bird == bird)
                text = quiz::unseenText(line);
    rig.clickAt(*rig.form().label(quiz::Progress)); // closed again
    return text;
}

} // namespace

class ExemplarDrawTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installJapaneseFonts(); }
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
        QSettings(u"piyo"_s, u"piyo"_s).clear();
    }
    void cleanupTestCase() { testmedia::clear(); }

    void leastRecentlyShownComesNext_data()
    {
        QTest::addColumn<QList<int>>("available");
        QTest::addColumn<std::vector<history::ExemplarUse>>("earlier");
        QTest::addColumn<QList<int>>("expected"); // the next draws, each shown as it comes
        QTest::newRow("one picture: always the bird's own")
            << QList<int>{1} << std::vector<history::ExemplarUse>{} << QList<int>{1, 1, 1};
        QTest::newRow("none found: the bird's own name is asked for")
            << QList<int>{} << std::vector<history::ExemplarUse>{} << QList<int>{1, 1};
        QTest::newRow("never shown: in order, then round again")
            << QList<int>{1, 2, 3} << std::vector<history::ExemplarUse>{} << QList<int>{1, 2, 3, 1, 2, 3};
        QTest::newRow("earlier days: the never shown first, then the oldest")
            << QList<int>{1, 2, 3, 4}
            << std::vector<history::ExemplarUse>{used(7, false, 1, 1), used(7, false, 2, 5),
                                                 used(7, false, 4, 3)}
            << QList<int>{3, 2, 4, 1, 3};
        QTest::newRow("a number gone missing is passed over")
            << QList<int>{1, 3}
            << std::vector<history::ExemplarUse>{used(7, false, 2, 9), used(7, false, 1, 2)}
            << QList<int>{3, 1, 3};
        QTest::newRow("another bird's and the calls' showings do not count")
            << QList<int>{1, 2}
            << std::vector<history::ExemplarUse>{used(8, false, 2, 1), used(7, true, 1, 1)}
            << QList<int>{1, 2, 1};
    }
    void leastRecentlyShownComesNext()
    {
        QFETCH(QList<int>, available);
        QFETCH(std::vector<history::ExemplarUse>, earlier);
        QFETCH(QList<int>, expected);
        quiz::ExemplarRotation rotation;
        rotation.historyArrived(earlier);
        QList<int> drawn;
        for (int i = 0; i < expected.size(); ++i) {
            drawn << rotation.next(7, Kind::Picture, available);
            rotation.shown(7, Kind::Picture, drawn.back(), Today.addSecs(i + 1));
        }
        QCOMPARE(drawn, expected);
    }

    // What this showing showed stays ahead of a history that comes late.
    void aLateHistoryDoesNotUndoThisShowing()
    {
        quiz::ExemplarRotation rotation;
        rotation.shown(7, Kind::Call, 2, Today);
        rotation.historyArrived(std::vector{used(7, true, 2, 30), used(7, true, 1, 2)});
        QCOMPARE(rotation.next(7, Kind::Call, {1, 2}), 1);
        QCOMPARE(rotation.times(7, Kind::Call, 2), 2);
        rotation.historyArrived(std::nullopt); // the history off: nothing changes
        QCOMPARE(rotation.next(7, Kind::Call, {1, 2, 3}), 3);
    }

    // Over many questions each of the bird's recordings and pictures comes
    // round in turn, starting with the one earlier days showed longest ago; the
    // history learns which was shown, and the call's written form comes with
    // its spectrogram once the answer is judged.
    void theQuizShowsEachExemplarInTurn()
    {
        const int bird = birds::birdNumberAt(Season::SpringSummer, 0);
        writeFurther(bird, 3);
        Rig rig;
        rig.history.scriptedExemplars =
            std::vector{used(bird, true, 3, 1), used(bird, true, 1, 4), used(bird, false, 1, 1)};
        // The bird at entry 1, ten others, the bird again: four times.
        for (int round = 0; round < 4; ++round) {
            rig.random.scriptEntries({1});
            for (int k = 0; k < 10; ++k) // ten others, none of them among the last ten
                rig.random.scriptEntries({2 + (10 * round + k) % 39});
        }
        rig.open();
        QCOMPARE(unseenOf(rig, bird), u"未見 姿1"_s); // earlier days and this question showed the rest
        QList<int> heard;
        QStringList captions;
        for (int question = 0; question < 4 * 11; ++question) {
            const bool ours = rig.screen.currentEntry() == 1;
            if (ours) {
                QTRY_VERIFY_WITH_TIMEOUT(!rig.calls(u"MediaPlayer1"_s).isEmpty(), 5000);
                heard << exemplarPlayed(rig.calls(u"MediaPlayer1"_s).filter(u"source"_s).last());
            }
            rig.click(0);
            QVERIFY(rig.stepUntil([&] { return rig.running(u"Timer3"_s); })); // judged, feedback on show
            if (ours) {
                auto* spectrogram = rig.form().findChild<SpectrogramView*>();
                QVERIFY(spectrogram && spectrogram->isVisible());
                captions << spectrogram->caption();
            }
            rig.runToQuestion();
        }
        QCOMPARE(heard, (QList<int>{2, 1, 3, 2}));
        QCOMPARE(unseenOf(rig, bird), QString());
        QCOMPARE(captions,
                 (QStringList{u"飛翔「キリッ2」"_s, QString(), u"飛翔「キリッ3」"_s, u"飛翔「キリッ2」"_s}));
        QList<std::pair<int, int>> recorded;
        for (const history::Answer& answer : rig.history.answers)
            if (answer.shownBird == bird)
                recorded << std::pair{answer.pictureExemplar, answer.callExemplar};
        QCOMPARE(recorded, (QList<std::pair<int, int>>{{2, 2}, {3, 1}, {1, 3}, {2, 2}}));
    }
};

QTEST_MAIN(ExemplarDrawTest)
#include "tst_exemplardraw.moc"
