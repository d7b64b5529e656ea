#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// Share of the pixels in `area` for which `test` holds.
double share(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test)
{
    int hits = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            hits += test(image.pixelColor(x, y)) ? 1 : 0;
    return double(hits) / (area.width() * area.height());
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuRightHalfIsPlainPaleYellow();
    void menuHasAHeadInEachThirdOfTheLeftSide();
    void iconShowsTheBirdOnALightTile_data();
    void iconShowsTheBirdOnALightTile();
    void smallIconIsDrawnNotShrunk();
    void scalableIconIsTheSameDrawing();
    void marksReadAtAGlance_data();
    void marksReadAtAGlance();
};

// The menu's labels stand on the right half; any stray paint there shows around them.
void TestArtwork::menuRightHalfIsPlainPaleYellow()
{
    const QImage menu = drawMenuBackground();
    QCOMPARE(menu.size(), QSize(640, 400));
    const QColor field = menu.pixelColor(639, 399);
    QVERIFY(field.red() > 240 && field.green() > 230 && field.blue() > 150 && field.blue() < 215);
    QCOMPARE(share(menu, QRect(330, 0, 310, 400), [&](QColor c) { return c == field; }), 1.0);
}

void TestArtwork::menuHasAHeadInEachThirdOfTheLeftSide()
{
    const QImage menu = drawMenuBackground();
    const QColor field = menu.pixelColor(639, 399);
    for (int band = 0; band < 3; ++band) {
        const QRect area(0, band * 133, 213, 133);
        QVERIFY2(share(menu, area, [&](QColor c) { return c != field; }) > 0.25,
                 qPrintable(QString::number(band)));
    }
}

void TestArtwork::iconShowsTheBirdOnALightTile_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32 px, the GIF window icon") << 32;
    QTest::newRow("48 px, the menus' size") << 48;
    QTest::newRow("64 px") << 64;
    QTest::newRow("128 px") << 128;
    QTest::newRow("256 px") << 256;
}

void TestArtwork::iconShowsTheBirdOnALightTile()
{
    QFETCH(int, size);
    const QImage icon = drawIcon(size);
    QCOMPARE(icon.size(), QSize(size, size));
    const QRect all = icon.rect();
    QVERIFY(share(icon, all, [](QColor c) { return c.alpha() > 128; }) > 0.9);
    auto birdGreen = [](QColor c) { return c.green() > c.red() + 20 && c.green() > c.blue() + 60; };
    auto blossomPink = [](QColor c) { return c.red() > 200 && c.red() > c.green() + 50 && c.blue() > 110; };
    QVERIFY(share(icon, all, birdGreen) > 0.08);
    QVERIFY(share(icon, all, blossomPink) > 0.03);
    // The GIF copy loses transparency and keeps the colour stored in a corner: it must be light.
    QVERIFY(icon.pixelColor(0, 0).lightness() > 200);
}

// A shrunken 256 px drawing turns the eye-ring and bill into mush at 32 px; the small icon is
// drawn for its size, so it differs from the shrunken one while still showing the same scene.
void TestArtwork::smallIconIsDrawnNotShrunk()
{
    const QImage small = drawIcon(32);
    const QImage shrunk = drawIcon(256).scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double difference = meanDifference(small, shrunk.convertToFormat(small.format()));
    QVERIFY2(difference > 1.5 && difference < 30, qPrintable(QString::number(difference)));
}

// A desktop shows the SVG at any size: it must be the icon, not an empty or clipped page.
void TestArtwork::scalableIconIsTheSameDrawing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.svg"));
    QVERIFY(writeIconSvg(path));
    QSvgRenderer svg(path);
    QVERIFY(svg.isValid());
    // Both as a desktop shows them, over a white panel.
    QImage rendered(128, 128, QImage::Format_RGB32);
    rendered.fill(Qt::white);
    QPainter painter(&rendered);
    svg.render(&painter);
    painter.end();
    QImage drawn(128, 128, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    painter.begin(&drawn);
    painter.drawImage(0, 0, drawIcon(128));
    painter.end();
    const double difference = meanDifference(rendered, drawn);
    QVERIFY2(difference < 2, qPrintable(QString::number(difference)));
}

void TestArtwork::marksReadAtAGlance_data()
{
    QTest::addColumn<QImage>("mark");
    QTest::addColumn<bool>("hollowCentre");
    QTest::newRow("right: a red ring") << drawRightMark() << true;
    QTest::newRow("wrong: a dark cross") << drawWrongMark() << false;
}

void TestArtwork::marksReadAtAGlance()
{
    QFETCH(QImage, mark);
    QFETCH(bool, hollowCentre);
    QVERIFY(qAbs(mark.width() - 199) <= 4 && qAbs(mark.height() - 195) <= 4);
    QVERIFY(mark.pixelColor(20, 20).lightness() > 230);
    // Strokes: strongly red or dark, and plenty of them.
    auto stroke = [](QColor c) { return c.lightness() < 110 || (c.red() > 180 && c.green() < 80); };
    QVERIFY(share(mark, mark.rect(), stroke) > 0.15);
    QCOMPARE(stroke(mark.pixelColor(mark.width() / 2, mark.height() / 2)), !hollowCentre);
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
