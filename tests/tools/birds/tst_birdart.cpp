// The painting side of the bird pictures: sizes beside relatives, and what the
// reduction to 256 colours does to large dark areas.
#include "BirdGeometry.h"
#include "BirdPainter.h"
#include "BirdSpecies.h"
#include "BodySize.h"
#include "GifWriter.h"
#include "Species.h"

#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

double drawnLength(const Species& species)
{
    const BirdGeometry g(species.shape);
    const double units = QLineF(g.map(Frame::Bill, {1, 0}), g.map(Frame::Tail, {1, 0})).length();
    return units * BirdPainter::familyScale(species) / BirdPainter::Oversample;
}

double luminance(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

struct DarkArea
{
    int pixels = 0;
    double colourError = 0;                       // mean per channel, picture against its source
    double sourceRoughness = 0, gifRoughness = 0; // mean luminance step between neighbours
};

// Pixels whose source and right-hand neighbour are both dark (luminance under 80).
DarkArea compareDark(const QImage& source, const QImage& gif)
{
    DarkArea a;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x + 1 < source.width(); ++x) {
            const QRgb s = source.pixel(x, y), s1 = source.pixel(x + 1, y);
            if (luminance(s) >= 80 || luminance(s1) >= 80)
                continue;
            const QRgb g = gif.pixel(x, y), g1 = gif.pixel(x + 1, y);
            ++a.pixels;
            a.colourError += (std::abs(qRed(s) - qRed(g)) + std::abs(qGreen(s) - qGreen(g)) +
                              std::abs(qBlue(s) - qBlue(g))) /
                             3.0;
            a.sourceRoughness += std::abs(luminance(s) - luminance(s1));
            a.gifRoughness += std::abs(luminance(g) - luminance(g1));
        }
    }
    if (a.pixels > 0) {
        a.colourError /= a.pixels;
        a.sourceRoughness /= a.pixels;
        a.gifRoughness /= a.pixels;
    }
    return a;
}

} // namespace

class BirdArtTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyBirdFitsItsPicture();
    void sameSpeciesSameSize();
    void everyBirdIsPaintedOnce();
    void largerRelativesAreDrawnLarger_data();
    void largerRelativesAreDrawnLarger();
    void darkAreasKeepTheirColourInTheGif_data();
    void darkAreasKeepTheirColourInTheGif();
};

// The bird, scaled for its family, stays inside its picture, which is no larger
// than the species' own size.
void BirdArtTest::everyBirdFitsItsPicture()
{
    for (const Species& species : speciesTable()) {
        const BirdGeometry g(species.shape);
        const double scale = BirdPainter::familyScale(species);
        const QRectF b = g.bounds();
        const QSize size = BirdPainter::pictureSize(species);
        QVERIFY(size.width() <= species.width && size.height() <= species.height);
        QVERIFY2(b.width() * scale <= size.width() * BirdPainter::Oversample,
                 qPrintable(u"b%1 too wide"_s.arg(species.number)));
        QVERIFY2(b.height() * scale <= size.height() * BirdPainter::Oversample,
                 qPrintable(u"b%1 too tall"_s.arg(species.number)));
        // and it is not shrunk to a speck beside a much larger relative
        QVERIFY2(std::max(b.width() * scale / size.width(), b.height() * scale / size.height()) >=
                     0.5 * BirdPainter::Oversample,
                 qPrintable(u"b%1 a speck"_s.arg(species.number)));
    }
}

// A bird shown in both seasons has one size in both: the size table is in step
// with the species table.
void BirdArtTest::sameSpeciesSameSize()
{
    QHash<QString, int> seen;
    for (const Species& species : speciesTable()) {
        const BodySize size = bodySize(species.number);
        const QString name = species::boardName(species.number);
        QVERIFY2(size.lengthCm > 0, qPrintable(name));
        if (seen.contains(name)) {
            const BodySize first = bodySize(seen.value(name));
            QCOMPARE(size.lengthCm, first.lengthCm);
            QVERIFY(size.family == first.family);
        }
        seen.insert(name, species.number);
    }
}

// The painting rows are keyed by bird number into the shared species table: one row per
// bird, and a bird in both sets painted with the same build in both.
void BirdArtTest::everyBirdIsPaintedOnce()
{
    QList<int> numbers;
    for (const Species& species : speciesTable())
        numbers << species.number;
    std::ranges::sort(numbers);
    QCOMPARE(numbers.size(), 80);
    for (int bird = 1; bird <= 80; ++bird)
        QCOMPARE(numbers.at(bird - 1), bird);
    for (const species::Species& names : species::all())
        if (const QList<int> both = species::birdNumbers(names); both.size() == 2)
            QVERIFY(bodySize(both[0]).family == bodySize(both[1]).family);
}

void BirdArtTest::largerRelativesAreDrawnLarger_data()
{
    QTest::addColumn<int>("larger");
    QTest::addColumn<int>("smaller");
    QTest::newRow("Great Egret, Little Egret") << 5 << 10;
    QTest::newRow("Greenshank, Red-necked Stint") << 2 << 11;
    QTest::newRow("Far Eastern Curlew, Whimbrel") << 8 << 9;
    QTest::newRow("Grey Plover, Kentish Plover") << 63 << 62;
    QTest::newRow("Lesser Sand Plover, Kentish Plover") << 65 << 62;
    QTest::newRow("Slaty-backed Gull, Saunders's Gull") << 64 << 58;
    QTest::newRow("Great Crested Grebe, Little Grebe") << 55 << 54;
    QTest::newRow("Spot-billed Duck, Teal") << 72 << 66;
    QTest::newRow("Black Kite, Kestrel") << 77 << 75;
}

void BirdArtTest::largerRelativesAreDrawnLarger()
{
    QFETCH(int, larger);
    QFETCH(int, smaller);
    const Species* big = findSpecies(larger);
    const Species* small = findSpecies(smaller);
    QVERIFY(big && small);
    QCOMPARE(bodySize(larger).family, bodySize(smaller).family);
    const double ratio = drawnLength(*big) / drawnLength(*small);
    // drawn to one scale, so roughly as their lengths are, unless the smaller one
    // had to be kept from shrinking further
    QVERIFY2(ratio > 1.1, qPrintable(u"drawn length ratio %1"_s.arg(ratio)));
}

void BirdArtTest::darkAreasKeepTheirColourInTheGif_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("Mallard's green head") << 73;
    QTest::newRow("Carrion Crow") << 34;
    QTest::newRow("Tufted Duck") << 67;
    QTest::newRow("Cormorant") << 4;
    QTest::newRow("Daurian Redstart's black") << 41;
}

void BirdArtTest::darkAreasKeepTheirColourInTheGif()
{
    QFETCH(int, number);
    const Species* species = findSpecies(number);
    QVERIFY(species);
    const QImage source = BirdPainter(*species).paint().convertToFormat(QImage::Format_RGB32);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"b.gif"_s);
    QVERIFY(writeGif87a(source, path));
    const QImage gif = QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(gif.size(), BirdPainter::pictureSize(*species));

    const DarkArea dark = compareDark(source, gif);
    qInfo("b%d: %d dark pixels, colour error %.2f, roughness %.2f in the source, %.2f in the gif", number,
          dark.pixels, dark.colourError, dark.sourceRoughness, dark.gifRoughness);
    QVERIFY(dark.pixels > 500);
    QVERIFY2(dark.colourError < 3.5, "dark colours drift");
    // speckle: neighbouring dark pixels differ much more than in the painting
    QVERIFY2(dark.gifRoughness < dark.sourceRoughness * 1.25 + 0.3, "dark areas speckle");
}

QTEST_MAIN(BirdArtTest)
#include "tst_birdart.moc"
