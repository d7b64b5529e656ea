#include <QTest>

#include "CallMeasure.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kSampleRate = 44100;
// Calls closer than this are hard to tell apart by ear (see CallMeasure.h).
constexpr double kDistinct = 6.5;
// Birds a beginner is known to confuse must sound clearly apart: low notes in the
// same rhythm at 8-8.5 were heard as one bird.
constexpr double kLookAlikesApart = 12.0;

struct Sound
{
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;
    double seconds() const { return double(samples.size()) / std::max(1, channels * sampleRate); }
};

std::optional<Sound> readSound(const QString& file);

std::optional<CallProfile> profileOfBird(int number)
{
    const std::optional<Sound> sound = readSound(u"k%1.wav"_s.arg(number));
    if (!sound)
        return std::nullopt;
    return profileOf(sound->samples, sound->sampleRate);
}

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

} // namespace

class CallsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachFilePlaysAsACall_data();
    void eachFilePlaysAsACall();
    void callsOfOneSeasonSetSoundDifferent_data();
    void callsOfOneSeasonSetSoundDifferent();
    void lookAlikesSoundApart_data();
    void lookAlikesSoundApart();
    void aBirdOfBothSetsSoundsTheSameButIsNoCopy_data();
    void aBirdOfBothSetsSoundsTheSameButIsNoCopy();
};

void CallsTest::eachFilePlaysAsACall_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    for (int number = 1; number <= 80; ++number) {
        const QString file = u"k%1.wav"_s.arg(number);
        QTest::newRow(qPrintable(file)) << file << 4.0 << 10.0;
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

// Every pair of birds on one name board must differ audibly in pitch, timbre or
// rhythm, so that a bird can be told by its call alone. Short single calls of one
// timbre a few semitones apart, given in the same rhythm, came out at 4-4.5 and
// sounded alike.
void CallsTest::callsOfOneSeasonSetSoundDifferent()
{
    QFETCH(int, firstNumber);
    std::vector<CallProfile> profiles;
    for (int number = firstNumber; number < firstNumber + 40; ++number) {
        const std::optional<CallProfile> profile = profileOfBird(number);
        QVERIFY(profile);
        profiles.push_back(*profile);
    }
    struct Pair
    {
        double distance;
        int a, b;
    };
    std::vector<Pair> pairs;
    for (int a = 0; a < 40; ++a) {
        for (int b = a + 1; b < 40; ++b)
            pairs.push_back({callDistance(profiles[a], profiles[b]), firstNumber + a, firstNumber + b});
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const Pair& x, const Pair& y) { return x.distance < y.distance; });
    auto describe = [&](const Pair& p) {
        const CallProfile &a = profiles[p.a - firstNumber], &b = profiles[p.b - firstNumber];
        return u"k%1 and k%2: %3 (spectrum %4 dB, rhythm %5 octaves)"_s.arg(p.a)
            .arg(p.b)
            .arg(p.distance, 0, 'f', 2)
            .arg(spectrumDistance(a, b), 0, 'f', 2)
            .arg(rhythmDistance(a, b), 0, 'f', 2);
    };
    for (std::size_t i = 0; i < 5; ++i)
        qInfo("close pair %s", qPrintable(describe(pairs[i])));
    QVERIFY2(pairs.front().distance >= kDistinct, qPrintable(describe(pairs.front())));
}

void CallsTest::lookAlikesSoundApart_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    // Low duck-like notes of the winter set.
    QTest::newRow("カワウ and カルガモ") << 52 << 72;
    QTest::newRow("カワウ and オカヨシガモ") << 52 << 70;
    QTest::newRow("カワウ and スズガモ") << 52 << 68;
    QTest::newRow("カルガモ and オカヨシガモ") << 72 << 70;
    QTest::newRow("カルガモ and スズガモ") << 72 << 68;
    QTest::newRow("オカヨシガモ and スズガモ") << 70 << 68;
    // Harsh bursts, and whistles around 3 kHz.
    QTest::newRow("コサギ and ハシボソガラス") << 10 << 34;
    QTest::newRow("シロチドリ and コガモ") << 62 << 66;
    // Short notes of the middle-sized waders.
    QTest::newRow("オバシギ and オオソリハシシギ, spring") << 12 << 13;
    QTest::newRow("オバシギ and ソリハシシギ") << 12 << 19;
    QTest::newRow("オオソリハシシギ and ソリハシシギ") << 13 << 19;
    QTest::newRow("オバシギ and オオソリハシシギ, winter") << 49 << 51;
    // Not on one board, but one is learnt against the other.
    QTest::newRow("ホウロクシギ and ダイシャクシギ") << 8 << 56;
}

void CallsTest::lookAlikesSoundApart()
{
    QFETCH(int, first);
    QFETCH(int, second);
    const std::optional<CallProfile> a = profileOfBird(first), b = profileOfBird(second);
    QVERIFY(a && b);
    const double distance = callDistance(*a, *b);
    QVERIFY2(distance >= kLookAlikesApart,
             qPrintable(u"%1 (spectrum %2 dB, rhythm %3 octaves)"_s.arg(distance, 0, 'f', 2)
                            .arg(spectrumDistance(*a, *b), 0, 'f', 2)
                            .arg(rhythmDistance(*a, *b), 0, 'f', 2)));
}

void CallsTest::aBirdOfBothSetsSoundsTheSameButIsNoCopy_data()
{
    QTest::addColumn<int>("spring");
    QTest::addColumn<int>("winter");
    const std::pair<int, int> birds[]{{4, 52},  {6, 54},  {12, 49}, {13, 51}, {15, 65}, {16, 62},
                                      {22, 63}, {23, 48}, {28, 47}, {38, 57}, {40, 55}};
    for (const auto& [spring, winter] : birds)
        QTest::addRow("k%d and k%d", spring, winter) << spring << winter;
}

// The same bird in both sets: a learner must hear one bird, yet each file is its own
// recording, not a copy.
void CallsTest::aBirdOfBothSetsSoundsTheSameButIsNoCopy()
{
    QFETCH(int, spring);
    QFETCH(int, winter);
    const std::optional<Sound> a = readSound(u"k%1.wav"_s.arg(spring)),
                               b = readSound(u"k%1.wav"_s.arg(winter));
    QVERIFY(a && b);
    QVERIFY(a->samples != b->samples);
    const double distance =
        callDistance(profileOf(a->samples, a->sampleRate), profileOf(b->samples, b->sampleRate));
    QVERIFY2(distance < kDistinct, qPrintable(u"%1 apart"_s.arg(distance, 0, 'f', 2)));
}

QTEST_GUILESS_MAIN(CallsTest)
#include "tst_calls.moc"
