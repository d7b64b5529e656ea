// The further pictures the media set bundles: one beside each duck and each bird whose mark
// shows only in flight, found by the program as that bird's second, tagged as its table says,
// fitting the panel, and not a copy of the first.
#include "Exemplars.h"
#include "Species.h"

#include <QImageReader>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString MediaRoot = QStringLiteral(PIYO_MEDIA_DIR);

QImage read(const QString& path)
{
    return QImageReader(path).read();
}

// The mean difference per channel (0-255) of two pictures squeezed to 48 x 48.
double difference(const QImage& a, const QImage& b)
{
    const QImage x = a.scaled(48, 48).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(48, 48).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < 48; ++row)
        for (int col = 0; col < 48; ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (48.0 * 48 * 3);
}

} // namespace

class FurtherPicturesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyDuckAndNamedShorebirdHasOne_data()
    {
        QTest::addColumn<int>("bird");
        QTest::addColumn<QString>("tag");
        for (int duck : {66, 67, 68, 69, 70, 71, 73, 80})
            QTest::addRow("duck %d, her female", duck) << duck << u"雌"_s;
        for (int bird : {8, 56, 50, 51, 22, 63, 76, 77, 78})
            QTest::addRow("bird %d, in flight", bird) << bird << u"飛翔"_s;
    }
    void everyDuckAndNamedShorebirdHasOne()
    {
        QFETCH(int, bird);
        QFETCH(QString, tag);
        const QList<media::Exemplar> pictures =
            media::findExemplars({MediaRoot}, media::BirdFile::Picture, QString::number(bird));
        QCOMPARE(pictures.size(), 2);
        QCOMPARE(pictures.at(1).index, 2);
        QVERIFY2(pictures.at(1).tags.words.contains(tag), qPrintable(pictures.at(1).tags.words.join(u' ')));
        const QImage first = read(pictures.at(0).path), second = read(pictures.at(1).path);
        QVERIFY(!second.isNull());
        QVERIFY(second.width() <= 298 && second.height() <= 361);
        QVERIFY2(difference(first, second) > 5, qPrintable(QString::number(difference(first, second))));
        // The finer copy for larger windows beside it, at twice the size.
        const QImage twice = read(MediaRoot + u"/姿/b%1-2@2x.gif"_s.arg(bird));
        QCOMPARE(twice.size(), second.size() * 2);
    }

    // The tags written beside each picture are those of its row, and nothing else.
    void tagsAreTheTablesOwn()
    {
        for (const FurtherPicture& further : furtherPictures()) {
            const QString path = MediaRoot + u"/姿/b%1-%2.gif"_s.arg(further.number).arg(further.index);
            QCOMPARE(media::readExemplarTags(path).words, further.tags);
        }
    }
};

QTEST_GUILESS_MAIN(FurtherPicturesTest)
#include "tst_furtherpictures.moc"
