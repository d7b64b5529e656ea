#include "SpectrogramPicture.h"
#include "SpectrogramView.h"

#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

constexpr int Rate = 48000;
// The reference screen's panel above its bottom row, in twips.
constexpr TwipsRect Panel{90, 510, 4470, 4785};

DecodedSound toneSound(double hz, double seconds)
{
    auto samples = std::make_shared<std::vector<float>>(std::size_t(seconds * Rate));
    for (std::size_t i = 0; i < samples->size(); ++i)
        (*samples)[i] = float(0.5 * std::sin(2 * std::numbers::pi * hz * double(i) / Rate));
    return {Rate, samples};
}

// A window holding only the view, at a scale.
struct Rig
{
    explicit Rig(double scale)
    {
        window.resize(1000, 1200);
        view = new SpectrogramView(&window);
        view->setScale(scale);
        view->setTwipsRect(Panel);
        window.show();
    }
    QImage shot() { return view->grab().toImage(); }
    int rowOf(double hz) const
    {
        const QRect plot = view->plotRect();
        return plot.top() + int(spectrogram::yOf(hz, plot.height()));
    }

    QWidget window;
    SpectrogramView* view;
};

bool darkAcross(const QImage& shot, const QRect& plot, int y)
{
    for (int x = plot.left() + plot.width() / 10; x < plot.right() - plot.width() / 10; x += 7)
        if (qGray(shot.pixel(x, y)) > 60)
            return false;
    return true;
}

bool whiteAcross(const QImage& shot, const QRect& plot, int y)
{
    for (int x = plot.left() + plot.width() / 10; x < plot.right() - plot.width() / 10; x += 3)
        if (qGray(shot.pixel(x, y)) != 255)
            return false;
    return true;
}

} // namespace

class SpectrogramViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toneShowsAsADarkBandAtEveryScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("175 %") << 1.75;
        QTest::newRow("300 %") << 3.0;
    }
    // Drawn at the window's pixels: the band stays one thin dark row wherever the scale puts it.
    void toneShowsAsADarkBandAtEveryScale()
    {
        QFETCH(double, scale);
        Rig rig(scale);
        QCOMPARE(rig.view->geometry(), toPixels(Panel, scale));
        const DecodedSound sound = toneSound(2000, 2);
        rig.view->showSound(sound);
        QTRY_VERIFY_WITH_TIMEOUT(rig.view->isReady(), 5000);
        const QImage shot = rig.shot();
        const QRect plot = rig.view->plotRect();
        QVERIFY(darkAcross(shot, plot, rig.rowOf(2000)));
        QVERIFY(whiteAcross(shot, plot, rig.rowOf(4000)));
        QVERIFY(whiteAcross(shot, plot, rig.rowOf(1000)));
        // Pixel for pixel the picture made at the plot's own size: not a smaller one stretched.
        const QImage made = spectrogram::render(spectrogram::analyse(*sound.samples, Rate), plot.size());
        for (int y = 0; y < plot.height(); y += 3)
            for (int x = 0; x < plot.width(); x += 5)
                QCOMPARE(qGray(shot.pixel(plot.left() + x, plot.top() + y)), qGray(made.pixel(x, y)));
    }

    void cursorFollowsThePosition_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("share"); // of the plot's width
        QTest::newRow("start") << 0.0 << 0.0;
        QTest::newRow("middle") << 1.0 << 0.5;
        QTest::newRow("near the end") << 1.9 << 0.95;
    }
    void cursorFollowsThePosition()
    {
        QFETCH(double, seconds);
        QFETCH(double, share);
        Rig rig(2);
        rig.view->showSound(toneSound(1000, 2));
        QTRY_VERIFY_WITH_TIMEOUT(rig.view->isReady(), 5000);
        QCOMPARE(rig.view->cursorX(), -1);
        rig.view->setPosition({seconds, true});
        const QRect plot = rig.view->plotRect();
        QCOMPARE(rig.view->cursorX(), plot.left() + int(std::floor(share * plot.width())));
        const QImage shot = rig.shot();
        QCOMPARE(QColor(shot.pixel(rig.view->cursorX(), plot.center().y())), QColor(255, 0, 0));
        rig.view->setPosition({0, false});
        QCOMPARE(rig.view->cursorX(), -1);
        QVERIFY(rig.shot().pixel(plot.left() + int(std::floor(share * plot.width())), plot.center().y()) !=
                qRgb(255, 0, 0));
    }

    // A bird clicked before the last one's picture arrived: only the new call is shown.
    void onlyTheLatestSoundIsShown()
    {
        Rig rig(1);
        rig.view->showSound(toneSound(1000, 3));
        rig.view->showSound(toneSound(4000, 1));
        QTRY_VERIFY_WITH_TIMEOUT(rig.view->isReady(), 5000);
        QTest::qWait(100); // a late picture of the first call would land now
        const QImage shot = rig.shot();
        QVERIFY(darkAcross(shot, rig.view->plotRect(), rig.rowOf(4000)));
        QVERIFY(whiteAcross(shot, rig.view->plotRect(), rig.rowOf(1000)));
    }

    void clearedViewIsWhiteWithoutACursor()
    {
        Rig rig(1);
        rig.view->showSound(toneSound(1000, 1));
        QTRY_VERIFY_WITH_TIMEOUT(rig.view->isReady(), 5000);
        rig.view->setPosition({0.5, true});
        rig.view->clear();
        QCOMPARE(rig.view->cursorX(), -1);
        const QImage shot = rig.shot();
        const QRect plot = rig.view->plotRect();
        for (int y = plot.top(); y <= plot.bottom(); y += 5)
            QVERIFY(whiteAcross(shot, plot, y));
    }

    // A new scale draws the picture again at the new size, not the old one stretched.
    void newScaleDrawsThePictureAgain()
    {
        Rig rig(1);
        rig.view->showSound(toneSound(3000, 1));
        QTRY_VERIFY_WITH_TIMEOUT(rig.view->isReady(), 5000);
        rig.view->setScale(2.5);
        QCOMPARE(rig.view->geometry(), toPixels(Panel, 2.5));
        QTRY_VERIFY_WITH_TIMEOUT(rig.view->isReady(), 5000);
        QVERIFY(darkAcross(rig.shot(), rig.view->plotRect(), rig.rowOf(3000)));
    }
};

QTEST_MAIN(SpectrogramViewTest)
#include "tst_spectrogramview.moc"
