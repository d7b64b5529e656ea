#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int BirdCount = 80;
constexpr int PanelWidth = 298;
constexpr int PanelHeight = 361;

QString picturePath(int number)
{
    return QStringLiteral(PIYO_PICTURE_DIR) + u"/b%1.gif"_s.arg(number);
}

QImage readPicture(int number)
{
    QImageReader reader(picturePath(number));
    return reader.read();
}

// Both pictures squeezed to 64 x 64; the mean absolute difference per channel (0-255).
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < 64; ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < 64; ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (64.0 * 64 * 3);
}

} // namespace

class BirdPicturesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPictureIsAGif87aThatFitsThePanel_data();
    void everyPictureIsAGif87aThatFitsThePanel();
    void picturesComeInVariedSizes();
    void noTwoBirdsAreDrawnAlike();
};

void BirdPicturesTest::everyPictureIsAGif87aThatFitsThePanel_data()
{
    QTest::addColumn<int>("number");
    for (int number = 1; number <= BirdCount; ++number)
        QTest::addRow("b%d", number) << number;
}

void BirdPicturesTest::everyPictureIsAGif87aThatFitsThePanel()
{
    QFETCH(int, number);
    QFile file(picturePath(number));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QCOMPARE(file.read(6), QByteArray("GIF87a"));
    file.close();

    const QImage picture = readPicture(number);
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() <= PanelWidth && picture.height() <= PanelHeight);
    // A picture far smaller than the panel would show the bird as a speck.
    QVERIFY(picture.width() >= PanelWidth * 2 / 3 && picture.height() >= PanelHeight / 2);
    QSet<QRgb> colours;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    QVERIFY(colours.size() <= 256);
    // A blank or nearly flat picture would mean the bird was never painted.
    QVERIFY2(colours.size() >= 32, qPrintable(u"%1 colours"_s.arg(colours.size())));
}

void BirdPicturesTest::picturesComeInVariedSizes()
{
    QSet<QSize> sizes;
    int portrait = 0, landscape = 0;
    for (int number = 1; number <= BirdCount; ++number) {
        const QSize size = QImageReader(picturePath(number)).size();
        sizes.insert(size);
        if (size.height() > size.width())
            ++portrait;
        else if (size.width() > size.height())
            ++landscape;
    }
    QVERIFY2(sizes.size() >= 12, qPrintable(u"only %1 sizes"_s.arg(sizes.size())));
    QVERIFY(portrait >= 5);
    QVERIFY(landscape >= 20);
}

void BirdPicturesTest::noTwoBirdsAreDrawnAlike()
{
    QList<QImage> pictures;
    for (int number = 1; number <= BirdCount; ++number)
        pictures.append(readPicture(number));
    double closest = 255;
    QString closestPair;
    for (int i = 0; i < BirdCount; ++i) {
        for (int j = i + 1; j < BirdCount; ++j) {
            const double d = meanDifference(pictures.at(i), pictures.at(j));
            if (d < closest) {
                closest = d;
                closestPair = u"b%1 and b%2"_s.arg(i + 1).arg(j + 1);
            }
        }
    }
    qInfo("closest pair: %s, mean difference %.1f", qPrintable(closestPair), closest);
    QVERIFY2(closest > 8.0, qPrintable(closestPair));
}

QTEST_GUILESS_MAIN(BirdPicturesTest)
#include "tst_birdpictures.moc"
