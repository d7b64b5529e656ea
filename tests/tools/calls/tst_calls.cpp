#include <QTest>

#include "BirdSpecies.h"
#include "CallMeasure.h"
#include "CallTable.h"
#include "ExemplarTags.h"
#include "Loudness.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <map>
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
// A bird's second call is another kind of call, not its first said again.
constexpr double kAnotherCall = 3.0;
// Loudness may miss the target by this much: a very peaky call stops at the true-peak ceiling.
constexpr double kLoudnessTolerance = 1.0;
// 16-bit rounding may lift the true peak a little over the ceiling it was scaled to.
constexpr double kTruePeakRounding = 0.05;

struct Sound
{
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;
    double seconds() const { return double(samples.size()) / std::max(1, channels * sampleRate); }
};

QString callsDir()
{
    return QStringLiteral(PIYO_CALLS_DIR);
}

QString wavName(const Call& call)
{
    return QString::fromUtf8(call.file) + u".wav"_s;
}

std::optional<Sound> readSound(const QString& path)
{
    SF_INFO info{};
    SNDFILE* handle = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!handle)
        return std::nullopt;
    Sound sound{info.format, info.channels, info.samplerate, std::vector<float>(info.frames * info.channels)};
    const auto read = sf_readf_float(handle, sound.samples.data(), info.frames);
    sf_close(handle);
    if (read != info.frames)
        return std::nullopt;
    return sound;
}

std::optional<Sound> readCall(const Call& call)
{
    return readSound(callsDir() + u'/' + wavName(call));
}

// The profile of every bundled call, read once: the distance tests compare thousands of pairs.
const std::map<QString, CallProfile>& profiles()
{
    static const std::map<QString, CallProfile> all = [] {
        std::map<QString, CallProfile> measured;
        for (const Call& call : birdCalls()) {
            if (const std::optional<Sound> sound = readCall(call))
                measured.emplace(QString::fromUtf8(call.file), profileOf(sound->samples, sound->sampleRate));
        }
        return measured;
    }();
    return all;
}

std::vector<const Call*> callsOfBird(int number)
{
    std::vector<const Call*> calls;
    for (const Call& call : birdCalls()) {
        if (birdNumber(call) == number)
            calls.push_back(&call);
    }
    return calls;
}

QString describe(const Call& a, const Call& b)
{
    const CallProfile &x = profiles().at(QString::fromUtf8(a.file)),
                      &y = profiles().at(QString::fromUtf8(b.file));
    return u"%1 and %2: %3 (spectrum %4 dB, rhythm %5 octaves)"_s
        .arg(QString::fromUtf8(a.file), QString::fromUtf8(b.file))
        .arg(callDistance(x, y), 0, 'f', 2)
        .arg(spectrumDistance(x, y), 0, 'f', 2)
        .arg(rhythmDistance(x, y), 0, 'f', 2);
}

double distance(const Call& a, const Call& b)
{
    return callDistance(profiles().at(QString::fromUtf8(a.file)), profiles().at(QString::fromUtf8(b.file)));
}

} // namespace

class CallsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void eachFilePlaysAsACall_data();
    void eachFilePlaysAsACall();
    void tagsFileSaysWhatTheTableSays_data();
    void tagsFileSaysWhatTheTableSays();
    void callsOfOneSeasonSetSoundDifferent_data();
    void callsOfOneSeasonSetSoundDifferent();
    void lookAlikesSoundApart_data();
    void lookAlikesSoundApart();
    void aBirdOfBothSetsSoundsTheSameButIsNoCopy_data();
    void aBirdOfBothSetsSoundsTheSameButIsNoCopy();
    void aSecondCallIsAnotherCall_data();
    void aSecondCallIsAnotherCall();
    void aRebuildWritesTheSameBytes();
};

void CallsTest::initTestCase()
{
    QCOMPARE(int(profiles().size()), int(birdCalls().size()));
}

void CallsTest::eachFilePlaysAsACall_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    QTest::addColumn<double>("lufs");
    for (const Call& call : birdCalls()) {
        QTest::addRow("%s %s", call.file, callName(call).c_str())
            << wavName(call) << 4.0 << 10.0 << recordingimport::TargetLufs - call.quieter;
    }
    QTest::newRow("o.wav right answer") << u"o.wav"_s << 0.3 << 1.0 << recordingimport::TargetLufs;
    QTest::newRow("x.wav wrong answer") << u"x.wav"_s << 0.3 << 1.0 << recordingimport::TargetLufs;
}

// Guards what the player relies on: a format it plays, a sound that starts at
// once, and silence at the end so that a one-shot is not cut and a loop has a
// pause between repeats; and one loudness, so that no bird is known by being loud.
void CallsTest::eachFilePlaysAsACall()
{
    QFETCH(QString, file);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    QFETCH(double, lufs);

    const std::optional<Sound> sound = readSound(callsDir() + u'/' + file);
    QVERIFY2(sound, "missing or unreadable");
    QCOMPARE(sound->format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QCOMPARE(sound->channels, 1);
    QCOMPARE(sound->sampleRate, kSampleRate);
    QVERIFY2(sound->seconds() >= minSeconds && sound->seconds() <= maxSeconds,
             qPrintable(u"lasts %1 s"_s.arg(sound->seconds())));

    const std::optional<recordingimport::Loudness> loudness =
        recordingimport::measureLoudness({sound->samples, sound->sampleRate});
    QVERIFY2(loudness, "too quiet to measure");
    QVERIFY2(std::abs(loudness->integratedLufs - lufs) <= kLoudnessTolerance,
             qPrintable(u"%1 LUFS, not %2"_s.arg(loudness->integratedLufs, 0, 'f', 2).arg(lufs)));
    QVERIFY2(loudness->truePeakDbtp <= recordingimport::TruePeakCeilingDbtp + kTruePeakRounding,
             qPrintable(u"true peak at %1 dBTP"_s.arg(loudness->truePeakDbtp, 0, 'f', 2)));

    const std::vector<float>& s = sound->samples;
    auto loud = [](float x) { return std::abs(x) >= 0.01f; }; // -40 dBFS
    const auto firstSound = std::find_if(s.begin(), s.end(), loud) - s.begin();
    QVERIFY2(firstSound < 0.03 * kSampleRate,
             qPrintable(u"starts after %1 ms"_s.arg(firstSound * 1000 / kSampleRate)));

    const auto tail = std::size_t(0.2 * kSampleRate);
    QVERIFY(std::all_of(s.end() - tail, s.end(), [](float x) { return std::abs(x) < 0.001f; }));
}

void CallsTest::tagsFileSaysWhatTheTableSays_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("heard");
    for (const Call& call : birdCalls()) {
        QTest::addRow("%s %s", call.file, callName(call).c_str())
            << wavName(call) << QString::fromUtf8(call.tags).split(u' ', Qt::SkipEmptyParts)
            << QString::fromUtf8(call.heard);
    }
}

// The program shows the written call beside the sound: both come from one table row,
// and every word of the kind of call is one the program knows.
void CallsTest::tagsFileSaysWhatTheTableSays()
{
    QFETCH(QString, file);
    QFETCH(QStringList, words);
    QFETCH(QString, heard);
    QVERIFY(!words.isEmpty());
    QVERIFY(!heard.isEmpty());
    const media::ExemplarTags tags = media::readExemplarTags(callsDir() + u'/' + file);
    QCOMPARE(tags.words, words);
    QCOMPARE(tags.heard, heard);
    QVERIFY(tags.credit.isEmpty());
}

void CallsTest::callsOfOneSeasonSetSoundDifferent_data()
{
    QTest::addColumn<int>("firstNumber");
    QTest::newRow("spring and summer, birds 1-40") << 1;
    QTest::newRow("autumn and winter, birds 41-80") << 41;
}

// Every call of a bird on one name board must differ audibly in pitch, timbre or
// rhythm from every call of every other bird there, so that a bird can be told by
// any of its calls alone. Short single calls of one timbre a few semitones apart,
// given in the same rhythm, came out at 4-4.5 and sounded alike.
void CallsTest::callsOfOneSeasonSetSoundDifferent()
{
    QFETCH(int, firstNumber);
    struct Pair
    {
        double distance;
        const Call *a, *b;
    };
    std::vector<Pair> pairs;
    for (const Call& a : birdCalls()) {
        for (const Call& b : birdCalls()) {
            const int x = birdNumber(a), y = birdNumber(b);
            if (x >= firstNumber && x < y && y < firstNumber + 40)
                pairs.push_back({distance(a, b), &a, &b});
        }
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const Pair& x, const Pair& y) { return x.distance < y.distance; });
    for (std::size_t i = 0; i < 5; ++i)
        qInfo("close pair %s", qPrintable(describe(*pairs[i].a, *pairs[i].b)));
    QVERIFY2(pairs.front().distance >= kDistinct, qPrintable(describe(*pairs.front().a, *pairs.front().b)));
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
    // Paired grunts near 100 Hz.
    QTest::newRow("カワウ and クロツラヘラサギ") << 52 << 79;
    // Harsh bursts, and whistles around 3 kHz.
    QTest::newRow("コサギ and ハシボソガラス") << 10 << 34;
    QTest::newRow("シロチドリ and コガモ") << 62 << 66;
    // Trilled pairs at 2.3-2.8 kHz, and staccato notes at 3.8-4.4 kHz.
    QTest::newRow("メダイチドリ and コガモ") << 65 << 66;
    QTest::newRow("アカエリヒレアシシギ and モズ") << 7 << 32;
    // Short notes of the middle-sized waders.
    QTest::newRow("オバシギ and オオソリハシシギ, spring") << 12 << 13;
    QTest::newRow("オバシギ and ソリハシシギ") << 12 << 19;
    QTest::newRow("オオソリハシシギ and ソリハシシギ") << 13 << 19;
    QTest::newRow("オバシギ and オオソリハシシギ, winter") << 49 << 51;
    // Not on one board, but one is learnt against the other.
    QTest::newRow("ホウロクシギ and ダイシャクシギ") << 8 << 56;
}

// Every call of one against every call of the other.
void CallsTest::lookAlikesSoundApart()
{
    QFETCH(int, first);
    QFETCH(int, second);
    for (const Call* a : callsOfBird(first)) {
        for (const Call* b : callsOfBird(second))
            QVERIFY2(distance(*a, *b) >= kLookAlikesApart, qPrintable(describe(*a, *b)));
    }
}

void CallsTest::aBirdOfBothSetsSoundsTheSameButIsNoCopy_data()
{
    QTest::addColumn<QString>("spring");
    QTest::addColumn<QString>("winter");
    for (const species::Species& bird : species::all()) {
        if (bird.springSummer == 0 || bird.autumnWinter == 0)
            continue;
        const std::vector<const Call*> spring = callsOfBird(bird.springSummer),
                                       winter = callsOfBird(bird.autumnWinter);
        QCOMPARE(spring.size(), winter.size());
        for (std::size_t i = 0; i < spring.size(); ++i) {
            QTest::addRow("%s and %s", spring[i]->file, winter[i]->file)
                << QString::fromUtf8(spring[i]->file) << QString::fromUtf8(winter[i]->file);
        }
    }
}

// The same bird in both sets: a learner must hear one bird, with the same kind of call
// and the same written call, yet each file is its own recording, not a copy.
void CallsTest::aBirdOfBothSetsSoundsTheSameButIsNoCopy()
{
    QFETCH(QString, spring);
    QFETCH(QString, winter);
    const std::optional<Sound> a = readSound(callsDir() + u'/' + spring + u".wav"_s),
                               b = readSound(callsDir() + u'/' + winter + u".wav"_s);
    QVERIFY(a && b);
    QVERIFY(a->samples != b->samples);
    const double apart = callDistance(profiles().at(spring), profiles().at(winter));
    QVERIFY2(apart < kDistinct, qPrintable(u"%1 apart"_s.arg(apart, 0, 'f', 2)));
    QCOMPARE(media::readExemplarTags(callsDir() + u'/' + spring + u".wav"_s),
             media::readExemplarTags(callsDir() + u'/' + winter + u".wav"_s));
}

void CallsTest::aSecondCallIsAnotherCall_data()
{
    QTest::addColumn<int>("bird");
    for (const Call& call : birdCalls()) {
        if (exemplarNumber(call) == 2)
            QTest::addRow("%d %s", birdNumber(call), callName(call).c_str()) << birdNumber(call);
    }
}

void CallsTest::aSecondCallIsAnotherCall()
{
    QFETCH(int, bird);
    const std::vector<const Call*> calls = callsOfBird(bird);
    QCOMPARE(calls.size(), std::size_t(2));
    QVERIFY(QByteArray(calls[0]->heard) != QByteArray(calls[1]->heard));
    QVERIFY2(distance(*calls[0], *calls[1]) >= kAnotherCall, qPrintable(describe(*calls[0], *calls[1])));
}

// Every build runs the generator: the same table must give the same files, byte for
// byte, or every build would change the installed media. Each file is made from its own
// seed alone, so a sample of them made again, on their own, stands for all.
void CallsTest::aRebuildWritesTheSameBytes()
{
    QStringList names{u"o"_s, u"x"_s};
    for (std::size_t i = 0; i < birdCalls().size(); i += 9)
        names += QString::fromUtf8(birdCalls()[i].file);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess generator;
    generator.start(QStringLiteral(PIYO_CALLS_TOOL), QStringList{dir.path()} + names);
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitCode(), 0);
    QStringList expected;
    for (const QString& name : names) {
        expected += name + u".wav"_s;
        if (name.startsWith(u'k'))
            expected += name + u".tags"_s;
    }
    expected.sort();
    const QStringList written = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(written, expected);
    for (const QString& name : written) {
        QFile again(dir.filePath(name)), built(callsDir() + u'/' + name);
        QVERIFY(again.open(QIODevice::ReadOnly) && built.open(QIODevice::ReadOnly));
        QVERIFY2(again.readAll() == built.readAll(), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(CallsTest)
#include "tst_calls.moc"
