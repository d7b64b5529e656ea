#include "Form.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "ReferenceLayout.h"
#include "ReferenceScreen.h"
#include "ScreenRig.h"
#include "SpectrogramView.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QColor BoardBlue(0, 0, 192);
const QColor Red(255, 0, 0);

struct Rig : ScreenRig<ReferenceScreen>
{
    explicit Rig(Season season = Season::SpringSummer) : ScreenRig(season) { screen.show(); }

    ListBox& list() { return *form().list(u"List1"_s); }
    QStringList& calls() { return ScreenRig::calls(u"MediaPlayer1"_s); }
    // The names painted red; any name neither red nor dark blue shows as -1 - position.
    QList<int> redNames()
    {
        QList<int> red;
        for (int i = 0; i < 40; ++i)
            if (name(i).backColour() == Red)
                red << i;
            else if (name(i).backColour() != BoardBlue)
                red << -1 - i;
        return red;
    }
    void clickName(int position) { clickAt(name(position)); }
    FormLabel& panelSwitch() { return *form().label(u"Label6"_s); }
    SpectrogramView& spectrogram() { return *form().findChild<SpectrogramView*>(); }
    void switchPanel() { clickAt(panelSwitch()); }
    int bird(int position) const
    {
        return birds::numberTable(Season::SpringSummer)[std::size_t(position + 1)];
    }
    void openDescription()
    {
        QTest::mouseClick(form().button(u"Command1"_s), Qt::LeftButton);
        settle();
    }
};

} // namespace

class ReferenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
    }
    void cleanupTestCase() { testmedia::clear(); }

    void freshScreenShowsOnlyTheBoard()
    {
        Rig rig;
        QCOMPARE(rig.form().windowTitle(), u"ピヨ調べ（春夏）"_s);
        QCOMPARE(rig.form().size(), QSize(640, 397));
        QVERIFY(!rig.form().button(u"Command1"_s)->isVisible());
        QVERIFY(!rig.list().isVisible());
        QVERIFY(!rig.image(u"Image2"_s).isVisible());
        QVERIFY(!rig.image(u"Image1"_s).hasPicture());
        QCOMPARE(rig.redNames(), QList<int>());
        QCOMPARE(rig.form().label(u"Label3"_s)->text(), u"鳥の絵は基本的に夏羽です"_s);
    }

    void clickingANameShowsTheBird_data()
    {
        QTest::addColumn<Season>("season");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("bird");
        QTest::newRow("春夏 アオアシシギ") << Season::SpringSummer << 0 << 2;
        QTest::newRow("秋冬 ウミネコ") << Season::AutumnWinter << 0 << 61;
        QTest::newRow("秋冬 ヨシガモ") << Season::AutumnWinter << 39 << 80;
    }
    void clickingANameShowsTheBird()
    {
        QFETCH(Season, season);
        QFETCH(int, position);
        QFETCH(int, bird);
        Rig rig(season);
        rig.clickName(position);
        QCOMPARE(rig.redNames(), QList<int>{position});
        const PictureBox& image1 = rig.image(u"Image1"_s);
        QVERIFY(image1.isVisible());
        QCOMPARE(image1.width(), testmedia::pictureSize(bird).width() * 15.0f);
        QVERIFY(rig.form().button(u"Command1"_s)->isVisible());
        QCOMPARE(rig.calls(), QStringList({u"stop"_s, callOf(bird), u"repeat 0"_s}));
    }

    void nextClickRestoresTheMarkedName()
    {
        Rig rig;
        rig.clickName(3);
        rig.clickName(25);
        QCOMPARE(rig.redNames(), QList<int>{25});
        rig.clickName(25); // the marked name again: still red, call restarted
        QCOMPARE(rig.redNames(), QList<int>{25});
        QCOMPARE(rig.calls().mid(rig.calls().size() - 3),
                 QStringList({u"stop"_s, callOf(18), u"repeat 0"_s}));
    }

    // Whatever keeps the call from opening, the bird is still marked, so the
    // next click restores its name.
    void birdWithoutCallIsShownSilently_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("call file") << u"声/k2.wav"_s;
        QTest::newRow("声 directory") << u"声"_s;
    }
    void birdWithoutCallIsShownSilently()
    {
        QFETCH(QString, missing);
        testmedia::remove(missing);
        Rig rig;
        rig.clickName(0);
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QVERIFY(rig.form().button(u"Command1"_s)->isVisible());
        QCOMPARE(rig.calls(), QStringList({u"stop"_s}));
        rig.clickName(5);
        QCOMPARE(rig.redNames(), QList<int>{5});
    }

    void birdWithoutPictureIsStillMarkedAndHeard()
    {
        testmedia::remove(u"姿/b2.gif"_s);
        Rig rig;
        rig.clickName(0);
        QCOMPARE(rig.redNames(), QList<int>{0});
        QVERIFY(!rig.image(u"Image1"_s).hasPicture());
        QVERIFY(rig.form().button(u"Command1"_s)->isVisible());
        QCOMPARE(rig.calls().last(), u"repeat 0"_s);
    }

    void descriptionFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("three lines") << QByteArray("a\r\nb\r\nc\r\n") << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("empty middle line")
            << QByteArray("a\r\n\r\nc") << QStringList{u"a"_s, QString(), u"c"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("LF only is one entry") << QByteArray("a\nb\n") << QStringList{u"a\nb\n"_s};
        QTest::newRow("code page 932")
            << QByteArray("\x91\x53\x92\xb7 45cm\r\n") << QStringList{u"全長 45cm"_s};
        QTest::newRow("invalid byte") << QByteArray("a\xa0z\r\n") << QStringList{u"a\uFFFDz"_s};
    }
    void descriptionFiles()
    {
        QFETCH(QByteArray, file);
        testmedia::writeDescription(2, file);
        Rig rig;
        rig.clickName(0);
        rig.openDescription();
        QVERIFY(rig.list().isVisible());
        QVERIFY(rig.image(u"Image2"_s).isVisible());
        QTEST(rig.list().lines(), "lines");
        rig.openDescription(); // a second click shows the text once, not twice
        QTEST(rig.list().lines(), "lines");
    }

    void missingDescriptionOpensAnEmptyListThatCloses()
    {
        testmedia::remove(u"説明"_s);
        Rig rig;
        rig.clickName(0);
        rig.openDescription();
        QVERIFY(rig.list().isVisible());
        QCOMPARE(rig.list().count(), 0);
        rig.clickAt(rig.image(u"Image1"_s));
        QVERIFY(!rig.list().isVisible());
        QVERIFY(!rig.image(u"Image2"_s).isVisible());
    }

    void descriptionButtonDoesNothingBeforeABirdIsChosen()
    {
        Rig rig;
        rig.openDescription();
        QVERIFY(!rig.list().isVisible());
    }

    void clicksCloseTheViewer_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("on a name") << u"name"_s;
        QTest::newRow("on the picture") << u"picture"_s;
        QTest::newRow("on a line of the list") << u"list"_s;
        QTest::newRow("keyboard in the list") << u"key"_s;
    }
    void clicksCloseTheViewer()
    {
        QFETCH(QString, where);
        Rig rig;
        rig.clickName(0);
        rig.openDescription();
        const int callsBefore = int(rig.calls().size());
        if (where == u"name"_s)
            rig.clickName(39); // clear of the list
        else if (where == u"picture"_s)
            rig.clickAt(rig.image(u"Image1"_s));
        else if (where == u"list"_s)
            QTest::mouseClick(rig.list().viewport(), Qt::LeftButton, {},
                              rig.list().visualItemRect(rig.list().item(1)).center());
        else
            QTest::keyClick(&rig.list(), Qt::Key_Down);
        QVERIFY(!rig.list().isVisible());
        QVERIFY(!rig.image(u"Image2"_s).isVisible());
        QCOMPARE(rig.list().count(), 0);
        QCOMPARE(rig.redNames(), QList<int>{0}); // the name under the click is not chosen
        QCOMPARE(rig.calls().size(), callsBefore);
    }

    void scrollingTheListKeepsItOpen()
    {
        QByteArray many;
        for (int i = 0; i < 60; ++i)
            many += "line " + QByteArray::number(i) + "\r\n";
        testmedia::writeDescription(2, many);
        Rig rig;
        rig.clickName(0);
        rig.openDescription();
        QScrollBar* bar = rig.list().verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QVERIFY(rig.list().isVisible());
    }

    void leavingLabelsStayClickableWithTheViewerOpen_data()
    {
        QTest::addColumn<Season>("season");
        QTest::addColumn<QString>("label");
        QTest::addColumn<ScreenId>("target");
        QTest::newRow("春夏 ピヨ探し") << Season::SpringSummer << u"Label4"_s << ScreenId::SpringSummerQuiz;
        QTest::newRow("秋冬 ピヨ探し") << Season::AutumnWinter << u"Label4"_s << ScreenId::AutumnWinterQuiz;
        QTest::newRow("メニュー") << Season::SpringSummer << u"Label5"_s << ScreenId::Menu;
    }
    void leavingLabelsStayClickableWithTheViewerOpen()
    {
        QFETCH(Season, season);
        QFETCH(QString, label);
        Rig rig(season);
        rig.clickName(0);
        rig.openDescription();
        QSignalSpy spy(&rig.screen, &Screen::switchRequested);
        rig.clickAt(*rig.form().label(label));
        QCOMPARE(spy.count(), 1);
        QTEST(spy.at(0).at(0).value<ScreenId>(), "target");
    }

    // The files of a bird clicked just before leaving arrive after the window
    // has closed: they are dropped, and nothing of them reaches the next showing.
    void leavingBeforeTheFilesArriveIsSafe()
    {
        Rig rig;
        rig.clickAtOnce(rig.name(4));
        rig.screen.close();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rig.screen.show();
        rig.settle();
        QVERIFY(!rig.image(u"Image1"_s).hasPicture());
        QCOMPARE(rig.calls(), QStringList());
    }

    void comingBackShowsTheScreenAsLoaded()
    {
        Rig rig;
        rig.clickName(4);
        rig.openDescription();
        rig.screen.close();
        rig.screen.show();
        QCOMPARE(rig.redNames(), QList<int>());
        QVERIFY(!rig.image(u"Image1"_s).hasPicture());
        QVERIFY(!rig.form().button(u"Command1"_s)->isVisible());
        QVERIFY(!rig.list().isVisible());
        rig.clickName(6);
        QCOMPARE(rig.redNames(), QList<int>{6}); // the earlier mark is forgotten
    }

    void panelSwitchComesWithTheBird()
    {
        Rig rig;
        QVERIFY(!rig.panelSwitch().isVisible());
        QVERIFY(!rig.spectrogram().isVisible());
        rig.clickName(5);
        QVERIFY(rig.panelSwitch().isVisible());
        QCOMPARE(rig.panelSwitch().text(), reference::ShowSpectrogram);
        QVERIFY(!rig.spectrogram().isVisible());
    }

    // The spectrogram takes the panel's place and the picture comes back as it grew in.
    void switchTurnsThePanelOverAndBack()
    {
        Rig rig;
        rig.clickName(5);
        rig.switchPanel();
        QVERIFY(rig.spectrogram().isVisible());
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.panelSwitch().text(), reference::ShowPicture);
        // 説明 and the switch stay where they were, clickable above the spectrogram.
        QVERIFY(rig.form().button(u"Command1"_s)->isVisible());
        QVERIFY(!rig.spectrogram().geometry().intersects(rig.form().button(u"Command1"_s)->geometry()));
        QVERIFY(!rig.spectrogram().geometry().intersects(rig.panelSwitch().geometry()));
        rig.switchPanel();
        QVERIFY(!rig.spectrogram().isVisible());
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.image(u"Image1"_s).width(), testmedia::pictureSize(rig.bird(5)).width() * 15.0f);
        QCOMPARE(rig.panelSwitch().text(), reference::ShowSpectrogram);
    }

    // A birder comparing calls clicks name after name: each new bird keeps to the spectrogram.
    void spectrogramStaysForTheNextBirdAndTheNextShowing()
    {
        Rig rig;
        rig.clickName(5);
        rig.switchPanel();
        rig.clickName(12);
        QVERIFY(rig.spectrogram().isVisible());
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.calls().mid(rig.calls().size() - 2), QStringList({callOf(rig.bird(12)), u"repeat 0"_s}));
        rig.screen.close();
        rig.screen.show();
        rig.clickName(7);
        QVERIFY(rig.spectrogram().isVisible());
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
    }

    // Switched back before the new bird's files arrive: no picture of the last bird flashes up.
    void switchingBackBeforeThePictureArrivesShowsNoOldPicture()
    {
        Rig rig;
        rig.clickName(5);
        rig.switchPanel();
        rig.clickAtOnce(rig.name(12));
        rig.clickAtOnce(rig.panelSwitch());
        QVERIFY(!rig.image(u"Image1"_s).isVisible());
        rig.settle();
        QVERIFY(rig.image(u"Image1"_s).isVisible());
        QCOMPARE(rig.image(u"Image1"_s).width(), testmedia::pictureSize(rig.bird(12)).width() * 15.0f);
    }

    void spectrogramFollowsTheWindowScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("150 %") << 1.5;
        QTest::newRow("300 %") << 3.0;
    }
    void spectrogramFollowsTheWindowScale()
    {
        QFETCH(double, scale);
        Rig rig;
        rig.clickName(5);
        rig.switchPanel();
        rig.form().setScale(scale);
        QTRY_COMPARE(rig.spectrogram().geometry(), toPixels(reference::SpectrogramRect, scale));
        QCOMPARE(rig.spectrogram().scale(), scale);
    }
};

QTEST_MAIN(ReferenceTest)
#include "tst_reference.moc"
