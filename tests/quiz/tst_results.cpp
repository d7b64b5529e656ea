#include "BirdTables.h"
#include "ListBox.h"
#include "QuizLayout.h"
#include "QuizRig.h"
#include "ResultsText.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quiztest;

namespace {

history::BirdResult result(int bird, int right, int asked, std::vector<std::pair<int, int>> takenFor = {})
{
    return {bird, asked, right, asked, right, std::move(takenFor)};
}

QString name(int bird)
{
    return birds::nameOfBird(bird);
}

} // namespace

class ResultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
    }
    void cleanupTestCase() { testmedia::clear(); }

    void linesListTheWorstFirst_data()
    {
        QTest::addColumn<history::Results>("results");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("history not available") << history::Results{} << QStringList{quiz::NoHistory};
        QTest::newRow("nothing asked yet")
            << history::Results{result(1, 0, 0), result(2, 0, 0)} << QStringList{quiz::NoHistoryYet};
        QTest::newRow("lowest share first, never asked last")
            << history::Results{result(1, 0, 0), result(2, 3, 4), result(3, 1, 4), result(4, 2, 2)}
            << QStringList{name(3) + u" 1/4 7日1/4"_s, name(2) + u" 3/4 7日3/4"_s, name(4) + u" 2/2 7日2/2"_s,
                           name(1) + u" 0/0"_s};
        QTest::newRow("of equal shares the more often asked first")
            << history::Results{result(5, 1, 2), result(6, 2, 4)}
            << QStringList{name(6) + u" 2/4 7日2/4"_s, name(5) + u" 1/2 7日1/2"_s};
        QTest::newRow("what it was taken for")
            << history::Results{result(7, 4, 9, {{12, 3}, {2, 1}})}
            << QStringList{name(7) + u" 4/9 7日4/9 ←"_s + name(12) + u"×3、"_s + name(2) + u"×1"_s};
    }
    void linesListTheWorstFirst()
    {
        QFETCH(history::Results, results);
        QFETCH(QStringList, lines);
        QCOMPARE(quiz::resultLines(results), lines);
    }

    void scorePanelOpensTheResultsAndAClickClosesThem()
    {
        Rig rig(Season::AutumnWinter);
        rig.random.scriptEntries({3});
        rig.history.scripted = {result(61, 1, 3, {{45, 2}})};
        rig.open();
        rig.click(2); // right
        rig.runToQuestion();
        QTest::mouseClick(rig.form().label(u"Label5"_s), Qt::LeftButton);
        rig.settle();
        ListBox& list = *rig.form().list(quiz::Results);
        QVERIFY(list.isVisible());
        QCOMPARE(list.lines(), QStringList{name(61) + u" 1/3 7日1/3 ←"_s + name(45) + u"×2"_s});
        QCOMPARE(rig.history.askedFor, std::vector<Season>{Season::AutumnWinter});
        QVERIFY(list.geometry().intersects(rig.name(0).geometry()));

        // A click on the board closes the view and answers nothing.
        rig.clickAt(rig.name(5));
        QVERIFY(!list.isVisible());
        QVERIFY(!rig.image(quiz::ResultsClickArea).isVisible());
        QVERIFY(!rig.running(u"Timer2"_s));
        QCOMPARE(rig.caption(u"Label5"_s), u"1"_s); // the counts stay
        QTest::mouseClick(rig.form().picture(u"Image2"_s), Qt::LeftButton);
        rig.settle();
        QVERIFY(list.isVisible());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, 5));
        QVERIFY(!list.isVisible());
    }
};

QTEST_MAIN(ResultsTest)
#include "tst_results.moc"
