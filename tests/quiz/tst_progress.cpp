#include "BirdTables.h"
#include "ProgressView.h"
#include "QuizLayout.h"
#include "QuizRig.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quiztest;

namespace {

// Every bird of the autumn board taken for the bird of the longest name,
// the line that once ran off the right edge.
history::Results everyBirdConfused()
{
    history::Results results;
    int longest = 0;
    for (int entry = 1; entry <= birds::BoardSize; ++entry) {
        const int bird = birds::birdNumberAt(Season::AutumnWinter, entry - 1);
        if (birds::nameOfBird(bird).size() > birds::nameOfBird(longest).size() || longest == 0)
            longest = bird;
    }
    for (int entry = 1; entry <= birds::BoardSize; ++entry) {
        const int bird = birds::birdNumberAt(Season::AutumnWinter, entry - 1);
        const int other = bird == longest ? birds::birdNumberAt(Season::AutumnWinter, 0) : longest;
        results.push_back({bird, 12, 3, 4, 1, {{other, 9}}});
    }
    return results;
}

quiz::ProgressPage& openProgress(Rig& rig)
{
    rig.clickAt(*rig.form().label(quiz::Progress));
    quiz::ProgressView* view = rig.screen.progressView();
    [&] { QVERIFY(view && view->isOpen()); }();
    return *view->page();
}

} // namespace

class ProgressTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
        QSettings(u"piyo"_s, u"piyo"_s).clear();
    }
    void cleanupTestCase() { testmedia::clear(); }

    // The call would play on under the view; it stops, and the question's
    // call starts again once the view has closed.
    void theCallPausesWhileTheViewIsOpen()
    {
        Rig rig(Season::AutumnWinter);
        rig.open();
        const int bird = rig.screen.round().birdNumber(rig.screen.currentEntry());
        QStringList& calls = rig.calls(u"MediaPlayer1"_s);
        calls.clear();
        openProgress(rig);
        QCOMPARE(calls, QStringList{u"stop"_s});
        calls.clear();
        rig.clickAt(*rig.form().label(quiz::Progress));
        QVERIFY(!rig.screen.progressView()->isOpen());
        QCOMPARE(calls.mid(calls.size() - 2), (QStringList{callOf(bird), u"repeat 0"_s}));
    }

    void linesAreWholeAtEveryScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
        QTest::newRow("300 %") << 3.0;
    }
    void linesAreWholeAtEveryScale()
    {
        QFETCH(double, scale);
        Rig rig(Season::AutumnWinter);
        rig.settings.setScale(scale);
        rig.history.scripted = everyBirdConfused();
        rig.open();
        quiz::ProgressPage& page = openProgress(rig);
        const int first = rig.history.scripted.front().bird;
        QTRY_VERIFY(page.confusionRect(first).isValid());
        QCOMPARE(rig.form().scale(), scale);
        QVERIFY2(page.widestLine() <= page.width(),
                 qPrintable(u"a line %1 px wide on a page of %2"_s.arg(page.widestLine()).arg(page.width())));
        for (const history::BirdResult& result : rig.history.scripted) {
            const QRect taken = page.confusionRect(result.bird);
            QVERIFY(taken.isValid());
            QVERIFY(taken.right() < page.width());
        }
        // The view stays within the window.
        QVERIFY(rig.form().rect().contains(page.parentWidget()->parentWidget()->geometry()));
    }

    // Two look-alikes: the first call once, then the second after it.
    void aConfusionPlaysBothCallsOneAfterTheOther()
    {
        Rig rig(Season::AutumnWinter);
        rig.history.scripted = everyBirdConfused();
        rig.open();
        quiz::ProgressPage& page = openProgress(rig);
        const history::BirdResult& confused = rig.history.scripted.front();
        QTRY_VERIFY(page.confusionRect(confused.bird).isValid());
        QStringList& calls = rig.calls(u"MediaPlayer1"_s);
        calls.clear();
        QTest::mouseClick(&page, Qt::LeftButton, {}, page.confusionRect(confused.bird).center());
        const QStringList both{callOf(confused.bird), u"repeat 1"_s, callOf(confused.takenFor.front().first),
                               u"repeat 1"_s};
        QTRY_COMPARE_WITH_TIMEOUT(calls, both, 10000);
    }
};

// The offscreen screen is 800 × 600 by default, and a window never opens
// larger than its screen: the test's screen has room for 300 %.
int main(int argc, char** argv)
{
    QTemporaryFile screens;
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 2048, "height": 1536,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication app(argc, argv);
    ProgressTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_progress.moc"
