#include "Spectrogram.h"
#include "SpectrogramPicture.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr int Rate = 48000;
const QSize PlotSize(300, 240);

struct Piece
{
    double hz; // 0: silence
    double seconds;
};

// Sines at half full scale, one after another, each starting at phase 0.
std::vector<float> tones(const std::vector<Piece>& pieces, int rate = Rate)
{
    std::vector<float> samples;
    for (const Piece& piece : pieces) {
        const auto count = std::size_t(piece.seconds * rate);
        for (std::size_t i = 0; i < count; ++i)
            samples.push_back(piece.hz > 0
                                  ? float(0.5 * std::sin(2 * std::numbers::pi * piece.hz * double(i) / rate))
                                  : 0.0f);
    }
    return samples;
}

QImage pictureOf(const std::vector<float>& samples, int rate = Rate, QSize size = PlotSize)
{
    return spectrogram::render(spectrogram::analyse(samples, rate), size);
}

// The darkest row of a column of the picture.
int darkestRow(const QImage& picture, int x)
{
    int darkest = 0;
    for (int y = 1; y < picture.height(); ++y)
        if (qGray(picture.pixel(x, y)) < qGray(picture.pixel(x, darkest)))
            darkest = y;
    return darkest;
}

int rowOf(double hz, const QImage& picture)
{
    return int(spectrogram::yOf(hz, picture.height()));
}

int columnAt(double seconds, double length, const QImage& picture)
{
    return int(spectrogram::xOf(seconds, length, picture.width()));
}

bool isWhite(const QImage& picture, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(picture.pixel(x, y)) != 255)
                return false;
    return true;
}

} // namespace

class SpectrogramTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toneLandsInItsRow_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<int>("rate");
        QTest::newRow("1 kHz at 48 kHz") << 1000.0 << 48000;
        QTest::newRow("4 kHz at 48 kHz") << 4000.0 << 48000;
        QTest::newRow("4 kHz at 44.1 kHz") << 4000.0 << 44100;
        QTest::newRow("600 Hz, a gull's grunt") << 600.0 << 48000;
        QTest::newRow("10 kHz, a warbler's trill") << 10000.0 << 48000;
        QTest::newRow("2 kHz at 16 kHz, a small frame") << 2000.0 << 16000;
        QTest::newRow("3 kHz at 96 kHz, a large frame") << 3000.0 << 96000;
    }
    // The band must sit where the kHz labels say it is, or a birder reads the wrong pitch.
    void toneLandsInItsRow()
    {
        QFETCH(double, hz);
        QFETCH(int, rate);
        const QImage picture = pictureOf(tones({{hz, 2}}, rate), rate);
        const int expected = rowOf(hz, picture);
        for (const double at : {0.5, 1.0, 1.5}) {
            const int x = columnAt(at, 2, picture);
            QVERIFY2(
                std::abs(darkestRow(picture, x) - expected) <= 1,
                qPrintable(
                    QStringLiteral("darkest row %1, expected %2").arg(darkestRow(picture, x)).arg(expected)));
            QCOMPARE(qGray(picture.pixel(x, expected)) < 40, true);
        }
        // An octave away stays white: the band is a band, not a smear.
        const int x = columnAt(1, 2, picture);
        if (hz * 2 <= spectrogram::HighestHz)
            QCOMPARE(qGray(picture.pixel(x, rowOf(hz * 2, picture))), 255);
        if (hz / 2 >= spectrogram::LowestHz)
            QCOMPARE(qGray(picture.pixel(x, rowOf(hz / 2, picture))), 255);
    }

    // 1 kHz, a gap, then 4 kHz: each where and when it sounds, and the gap white.
    void tonesLandInTheirColumns()
    {
        const QImage picture = pictureOf(tones({{1000, 1}, {0, 1}, {4000, 1}}));
        const int low = rowOf(1000, picture), high = rowOf(4000, picture);
        const int first = columnAt(0.5, 3, picture), gap = columnAt(1.5, 3, picture),
                  last = columnAt(2.5, 3, picture);
        QVERIFY(qGray(picture.pixel(first, low)) < 40);
        QCOMPARE(qGray(picture.pixel(first, high)), 255);
        QVERIFY(qGray(picture.pixel(last, high)) < 40);
        QCOMPARE(qGray(picture.pixel(last, low)), 255);
        QVERIFY(isWhite(picture, QRect(gap - 20, 0, 40, picture.height())));
        // The first tone ends at 1 s: within a frame's half (11 ms, 1 px here) plus a pixel.
        int end = first;
        while (end < picture.width() && qGray(picture.pixel(end, low)) < 128)
            ++end;
        QVERIFY2(std::abs(end - columnAt(1, 3, picture)) <= 2, qPrintable(QString::number(end)));
    }

    // A sweep from 500 Hz to 8 kHz over 4 s, rising an octave a second.
    void sweepFollowsItsPitch()
    {
        const double seconds = 4;
        std::vector<float> samples(std::size_t(seconds * Rate));
        double phase = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            phase += 2 * std::numbers::pi * 500 * std::exp2(double(i) / Rate) / Rate;
            samples[i] = float(0.5 * std::sin(phase));
        }
        const QImage picture = pictureOf(samples);
        for (const double at : {0.5, 1.5, 2.5, 3.5}) {
            const int expected = rowOf(500 * std::exp2(at), picture);
            const int found = darkestRow(picture, columnAt(at, seconds, picture));
            QVERIFY2(
                std::abs(found - expected) <= 2,
                qPrintable(QStringLiteral("at %1 s: row %2, expected %3").arg(at).arg(found).arg(expected)));
        }
    }

    void silenceIsWhite_data()
    {
        QTest::addColumn<std::vector<float>>("samples");
        QTest::newRow("digital silence") << std::vector<float>(Rate * 2, 0.0f);
        QTest::newRow("no samples at all") << std::vector<float>();
        std::vector<float> hiss(Rate * 2);
        for (std::size_t i = 0; i < hiss.size(); ++i)
            hiss[i] = float(1e-7 * std::sin(double(i * i % 7919))); // about -140 dBFS
        QTest::newRow("hiss far below anything heard") << hiss;
        std::vector<float> broken(Rate, std::numeric_limits<float>::quiet_NaN());
        broken[100] = std::numeric_limits<float>::infinity();
        QTest::newRow("NaN and infinity from a broken float file") << broken;
    }
    void silenceIsWhite()
    {
        QFETCH(std::vector<float>, samples);
        const QImage picture = pictureOf(samples);
        QCOMPARE(picture.size(), PlotSize);
        QVERIFY(isWhite(picture, picture.rect()));
    }

    // Above half the sample rate a recording holds nothing: white, not a smear of the top bin.
    void frequenciesARecordingCannotHoldAreWhite()
    {
        const QImage picture = pictureOf(tones({{2000, 1}}, 8000), 8000);
        QVERIFY(isWhite(picture, QRect(0, 0, picture.width(), rowOf(4200, picture))));
        QVERIFY(qGray(picture.pixel(columnAt(0.5, 1, picture), rowOf(2000, picture))) < 40);
    }

    void hugeCallIsDecimated_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<double>("seconds");
        // What the player decodes of a 20 MB file at most: 30 s of 48 kHz stereo, or the same
        // number of samples at the highest rate it takes.
        QTest::newRow("30 s at 48 kHz") << 48000 << 30.0;
        QTest::newRow("7.5 s at 384 kHz") << 384000 << 7.5;
        QTest::newRow("60 s at 48 kHz, longer than any player decodes") << 48000 << 60.0;
    }
    // However long the call, the work and memory stay bounded and the tone is still found.
    void hugeCallIsDecimated()
    {
        QFETCH(int, rate);
        QFETCH(double, seconds);
        const std::vector<float> samples = tones({{3000, seconds}}, rate);
        const Spectrogram analysed = spectrogram::analyse(samples, rate);
        QVERIFY(analysed.columns() <= spectrogram::MaxColumns);
        QVERIFY(analysed.columns() >= spectrogram::MaxColumns / 2);
        QVERIFY(double(analysed.bins - 1) * analysed.binHz() <= spectrogram::KeptHz + analysed.binHz());
        QCOMPARE(analysed.seconds, double(samples.size()) / rate);
        const QImage picture = spectrogram::render(analysed, QSize(900, 960));
        QVERIFY(std::abs(darkestRow(picture, 450) - rowOf(3000, picture)) <= 1);
    }
};

QTEST_GUILESS_MAIN(SpectrogramTest)
#include "tst_spectrogram.moc"
