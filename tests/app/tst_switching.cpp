#include "FakeClock.h"
#include "Form.h"
#include "FormLabel.h"
#include "RecordingPlayer.h"
#include "Screen.h"
#include "ScreenSet.h"
#include "ScriptedRandom.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

int visibleWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() ? 1 : 0;
    return count;
}

} // namespace

class SwitchingTest : public QObject
{
    Q_OBJECT

    FakeClock m_clock;
    ScriptedRandom m_random;
    ScreenServices m_services{m_clock, m_random, RecordingPlayer::factory()};

    void click(ScreenSet& screens, const QString& label)
    {
        QTest::mouseClick(screens.openScreen()->form()->label(label), Qt::LeftButton);
    }

private Q_SLOTS:
    void atStartTheMenuIsTheOnlyScreen()
    {
        ScreenSet screens(m_services);
        screens.show(ScreenId::Menu);
        QCOMPARE(screens.openScreen(), &screens.screen(ScreenId::Menu));
        QCOMPARE(visibleWindows(), 1);
    }

    void everySwitchOpensItsScreenAndClosesTheOneLeft_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("title");
        QTest::newRow("menu → 春夏調べ") << QStringList{u"Label3"_s, u"Label7"_s} << u"ピヨ調べ（春夏）"_s;
        QTest::newRow("menu → 秋冬調べ") << QStringList{u"Label3"_s, u"Label8"_s} << u"ピヨ調べ（秋冬）"_s;
        QTest::newRow("menu → 春夏探し") << QStringList{u"Label4"_s, u"Label11"_s} << u"ピヨ探し（春夏）"_s;
        QTest::newRow("menu → 秋冬探し") << QStringList{u"Label4"_s, u"Label12"_s} << u"ピヨ探し（秋冬）"_s;
        QTest::newRow("春夏探し → 春夏調べ")
            << QStringList{u"Label4"_s, u"Label11"_s, u"Label3"_s} << u"ピヨ調べ（春夏）"_s;
        QTest::newRow("秋冬探し → 秋冬調べ")
            << QStringList{u"Label4"_s, u"Label12"_s, u"Label3"_s} << u"ピヨ調べ（秋冬）"_s;
        QTest::newRow("探し → menu") << QStringList{u"Label4"_s, u"Label12"_s, u"Label4"_s}
                                     << u"ピヨメニュー"_s;
        QTest::newRow("春夏調べ → 春夏探し")
            << QStringList{u"Label3"_s, u"Label7"_s, u"Label4"_s} << u"ピヨ探し（春夏）"_s;
        QTest::newRow("秋冬調べ → 秋冬探し")
            << QStringList{u"Label3"_s, u"Label8"_s, u"Label4"_s} << u"ピヨ探し（秋冬）"_s;
        QTest::newRow("調べ → menu") << QStringList{u"Label3"_s, u"Label8"_s, u"Label5"_s}
                                     << u"ピヨメニュー"_s;
    }
    void everySwitchOpensItsScreenAndClosesTheOneLeft()
    {
        QFETCH(QStringList, clicks);
        ScreenSet screens(m_services);
        screens.show(ScreenId::Menu);
        for (const QString& label : clicks) {
            click(screens, label);
            QCOMPARE(visibleWindows(), 1); // never the previous screen behind the next
        }
        QTEST(screens.openScreen()->form()->windowTitle(), "title");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    }

    void screensAreMadeOnceAndRebuiltOnEachShow()
    {
        ScreenSet screens(m_services);
        screens.show(ScreenId::Menu);
        click(screens, u"Label4"_s);
        click(screens, u"Label11"_s);
        Screen* quiz = screens.openScreen();
        const Form* firstWindow = quiz->form();
        click(screens, u"Label4"_s); // back to the menu
        QCOMPARE(screens.openScreen()->form()->label(u"Label3"_s)->isVisible(), true);
        click(screens, u"Label4"_s);
        click(screens, u"Label11"_s);
        QCOMPARE(screens.openScreen(), quiz);
        QVERIFY(quiz->form() != firstWindow);
    }

    void quitAndCloseBoxEndTheProgram()
    {
        ScreenSet screens(m_services);
        QSignalSpy finished(&screens, &ScreenSet::finished);
        screens.show(ScreenId::Menu);
        click(screens, u"Label5"_s);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!screens.openScreen());

        screens.show(ScreenId::Menu);
        click(screens, u"Label4"_s);
        click(screens, u"Label12"_s);
        screens.openScreen()->form()->close(); // the close box
        QCOMPARE(finished.count(), 2);
        QVERIFY(!screens.openScreen());
    }
};

QTEST_MAIN(SwitchingTest)
#include "tst_switching.moc"
