#include <QTest>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kSampleRate = 44100;

struct Sound
{
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;
    double seconds() const { return double(samples.size()) / std::max(1, channels * sampleRate); }
};

std::optional<Sound> readSound(const QString& file)
{
    const QByteArray path = QFile::encodeName(QStringLiteral(PIYO_CALLS_DIR "/") + file);
    SF_INFO info{};
    SNDFILE* handle = sf_open(path.constData(), SFM_READ, &info);
    if (!handle)
        return std::nullopt;
    Sound sound{info.format, info.channels, info.samplerate, std::vector<float>(info.frames * info.channels)};
    const auto read = sf_readf_float(handle, sound.samples.data(), info.frames);
    sf_close(handle);
    if (read != info.frames)
        return std::nullopt;
    return sound;
}

// Iterative radix-2 FFT, in place.
void fft(std::vector<std::complex<double>>& x)
{
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const auto w = std::polar(1.0, -2 * std::numbers::pi / double(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1;
            for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
                const auto even = x[i + k], odd = x[i + k + len / 2] * wk;
                x[i + k] = even + odd;
                x[i + k + len / 2] = even - odd;
            }
        }
    }
}

// Average spectrum of a call in 24 log-spaced bands from 200 Hz to 10 kHz (about a
// quarter octave each), in dB below its loudest band and floored at -60 dB.
// It ignores rhythm, so two calls far apart here differ in pitch or timbre.
std::vector<double> bandSpectrum(const std::vector<float>& samples)
{
    constexpr std::size_t frame = 1024;
    constexpr int bands = 24;
    std::vector<double> energy(bands, 0.0);
    std::vector<std::complex<double>> x(frame);
    for (std::size_t start = 0; start + frame <= samples.size(); start += frame / 2) {
        for (std::size_t i = 0; i < frame; ++i)
            x[i] = samples[start + i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / frame));
        fft(x);
        for (std::size_t bin = 1; bin < frame / 2; ++bin) {
            const double hz = double(bin) * kSampleRate / frame;
            const int band = int(std::floor(bands * std::log(hz / 200) / std::log(10000.0 / 200)));
            if (band >= 0 && band < bands)
                energy[band] += std::norm(x[bin]);
        }
    }
    const double loudest = std::max(1e-30, *std::max_element(energy.begin(), energy.end()));
    for (double& e : energy)
        e = std::max(-60.0, 10 * std::log10(e / loudest + 1e-30));
    return energy;
}

// RMS difference of two band spectra, in dB.
double spectrumDistance(const std::vector<double>& a, const std::vector<double>& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum / double(a.size()));
}

} // namespace

class CallsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachFilePlaysAsACall_data();
    void eachFilePlaysAsACall();
    void callsOfOneSeasonSetSoundDifferent_data();
    void callsOfOneSeasonSetSoundDifferent();
};

void CallsTest::eachFilePlaysAsACall_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    for (int number = 1; number <= 80; ++number) {
        const QString file = u"k%1.wav"_s.arg(number);
        QTest::newRow(qPrintable(file)) << file << 1.0 << 4.0;
    }
    QTest::newRow("o.wav right answer") << u"o.wav"_s << 0.3 << 1.0;
    QTest::newRow("x.wav wrong answer") << u"x.wav"_s << 0.3 << 1.0;
}

// Guards what the player relies on: a format it plays, a sound that starts at
// once, and silence at the end so that a one-shot is not cut and a loop has a
// pause between repeats.
void CallsTest::eachFilePlaysAsACall()
{
    QFETCH(QString, file);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);

    const std::optional<Sound> sound = readSound(file);
    QVERIFY2(sound, "missing or unreadable");
    QCOMPARE(sound->format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QCOMPARE(sound->channels, 1);
    QCOMPARE(sound->sampleRate, kSampleRate);
    QVERIFY2(sound->seconds() >= minSeconds && sound->seconds() <= maxSeconds,
             qPrintable(u"lasts %1 s"_s.arg(sound->seconds())));

    const std::vector<float>& s = sound->samples;
    auto loud = [](float x) { return std::abs(x) >= 0.01f; }; // -40 dBFS
    const double peakDb =
        20 * std::log10(std::abs(*std::max_element(
                 s.begin(), s.end(), [](float a, float b) { return std::abs(a) < std::abs(b); })));
    QVERIFY2(peakDb > -4.5 && peakDb < -1.5, qPrintable(u"peak at %1 dBFS"_s.arg(peakDb)));

    const auto firstSound = std::find_if(s.begin(), s.end(), loud) - s.begin();
    QVERIFY2(firstSound < 0.03 * kSampleRate,
             qPrintable(u"starts after %1 ms"_s.arg(firstSound * 1000 / kSampleRate)));

    const auto tail = std::size_t(0.2 * kSampleRate);
    QVERIFY(std::all_of(s.end() - tail, s.end(), [](float x) { return std::abs(x) < 0.001f; }));
}

void CallsTest::callsOfOneSeasonSetSoundDifferent_data()
{
    QTest::addColumn<int>("firstNumber");
    QTest::newRow("spring and summer, birds 1-40") << 1;
    QTest::newRow("autumn and winter, birds 41-80") << 41;
}

// Every pair of birds on one name board must differ audibly in pitch or timbre,
// so that a bird can be told by its call alone. A difference of 4 dB is about
// what moving one call up a semitone makes.
void CallsTest::callsOfOneSeasonSetSoundDifferent()
{
    QFETCH(int, firstNumber);
    std::vector<std::vector<double>> spectra;
    for (int number = firstNumber; number < firstNumber + 40; ++number) {
        const std::optional<Sound> sound = readSound(u"k%1.wav"_s.arg(number));
        QVERIFY(sound);
        spectra.push_back(bandSpectrum(sound->samples));
    }
    double closest = 1e9;
    int closestA = 0, closestB = 0;
    for (int a = 0; a < 40; ++a) {
        for (int b = a + 1; b < 40; ++b) {
            if (const double d = spectrumDistance(spectra[a], spectra[b]); d < closest) {
                closest = d;
                closestA = firstNumber + a;
                closestB = firstNumber + b;
            }
        }
    }
    const QString closestPair =
        u"k%1 and k%2 differ by %3 dB"_s.arg(closestA).arg(closestB).arg(closest, 0, 'f', 2);
    qInfo("closest pair: %s", qPrintable(closestPair));
    QVERIFY2(closest >= 4.0, qPrintable(closestPair));
}

QTEST_GUILESS_MAIN(CallsTest)
#include "tst_calls.moc"
