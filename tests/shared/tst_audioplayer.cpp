// Plays real sound through a PulseAudio null sink and listens to its monitor.

#include "AudioPlayer.h"
#include "audiomonitor.h"
#include "audiotestfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Set in the environment of the copy of this program that plays without a sound server.
constexpr char kNoServerChildVariable[] = "PIYO_AUDIO_NO_SERVER_FILE";

// What a check heard wrong; empty when all was as it should be.
using Heard = QByteArray;

// A message naming a length of the recording.
Heard message(const char* what, qint64 samples)
{
    return what + QByteArray::number(AudioMonitor::toMs(samples), 'f', 1) + " ms";
}

} // namespace

class TestAudioPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void repeatingCallSoundsUntilStopped();
    void oneShotPlaysOnceToItsEnd();
    void everyPcmFormatSounds_data();
    void everyPcmFormatSounds();
    void newSourceCutsOffTheSoundingOne();
    void unplayableFileStaysSilent_data();
    void unplayableFileStaysSilent();
    void missingSoundServerIsSilentNotFatal();

private:
    Heard threeTries(const std::function<Heard()>& listen);
    qint64 quietMoment();
    QString tonePath(const QString& name, const QList<AudioTone>& tones, int rate = 48000, int channels = 1,
                     int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16);

    QTemporaryDir m_dir;
    AudioMonitor m_monitor;
};

QString TestAudioPlayer::tonePath(const QString& name, const QList<AudioTone>& tones, int rate, int channels,
                                  int format)
{
    const QString path = m_dir.filePath(name);
    if (!QFile::exists(path) && !writeToneFile(path, tones, rate, channels, format))
        qFatal("cannot write the test sound %s", qPrintable(path));
    return path;
}

// A shared, busy machine can keep this process off the CPU for longer than the
// sink's buffer lasts, and the sound stutters. A fault of the player shows on
// every try, a stutter seldom twice running: a check gets three tries.
Heard TestAudioPlayer::threeTries(const std::function<Heard()>& listen)
{
    Heard heard;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        heard = listen();
        if (heard.isEmpty())
            break;
        qWarning("try %d: %s", attempt, heard.constData());
    }
    return heard;
}

// The recording position a moment from now, once the sound of an earlier test
// (rendered a little ahead of the recording's clock) has surely passed.
qint64 TestAudioPlayer::quietMoment()
{
    QTest::qWait(50);
    return m_monitor.now();
}

void TestAudioPlayer::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        if (qgetenv("CI") == "true")
            QFAIL("PULSE_SERVER is not set: the sound tests need the PulseAudio null sink");
        QSKIP("PULSE_SERVER is not set: no sound server to play into");
    }
    QVERIFY(m_dir.isValid());
    QVERIFY2(m_monitor.start(), qPrintable(m_monitor.errorString()));
}

void TestAudioPlayer::repeatingCallSoundsUntilStopped()
{
    // Two tones, so that a pass that skipped or doubled would still be heard as sound.
    const QString path = tonePath(u"call.wav"_s, {{880, 0.125}, {440, 0.125}});
    const Heard heard = threeTries([&]() -> Heard {
        const qint64 begin = quietMoment();
        AudioPlayer player;
        player.hide();
        player.setSource(path);
        player.setRepeatCount(0);
        // Stopped from an event handler, as an answer click does, four lengths of the call later.
        qint64 stopped = -1;
        QTimer::singleShot(1000, this, [&] {
            stopped = m_monitor.now();
            player.stop();
        });
        QTest::qWait(1300);
        if (stopped < 0 || !m_monitor.waitUntilRecorded(m_monitor.now()))
            return "nothing recorded";

        const qint64 first = m_monitor.firstSound(begin, stopped);
        if (first < 0)
            return "the call never sounded";
        if (stopped - first < AudioMonitor::fromMs(750))
            return message("the call started late: ", first - begin);
        // A gap at the seam, or a loop that ran out, shows as silence before the stop
        // (looked for up to a little before it: the recording's clock is good to ~10 ms).
        const qint64 gap = m_monitor.longestSilence(first, stopped - AudioMonitor::fromMs(20));
        if (gap > AudioMonitor::fromMs(2))
            return message("silence while repeating: ", gap);
        // Generous against scheduling; the benchmark measures the real figure.
        const qint64 tail = m_monitor.lastSound(first, m_monitor.recorded()) - stopped;
        if (tail > AudioMonitor::fromMs(100))
            return message("still sounding after stop: ", tail);
        return {};
    });
    QVERIFY2(heard.isEmpty(), heard.constData());
}

void TestAudioPlayer::oneShotPlaysOnceToItsEnd()
{
    const QString path = tonePath(u"feedback.wav"_s, {{440, 0.3}, {1000, 0.2}});
    const Heard heard = threeTries([&]() -> Heard {
        const qint64 begin = quietMoment();
        AudioPlayer player;
        player.setSource(path);
        player.setRepeatCount(1);
        QTest::qWait(1200);
        if (!m_monitor.waitUntilRecorded(m_monitor.now()))
            return "nothing recorded";

        const qint64 first = m_monitor.firstSound(begin, m_monitor.recorded());
        const qint64 last = m_monitor.lastSound(begin, m_monitor.recorded());
        if (first < 0)
            return "the sound never played";
        // Once and whole: as long as the file, no more (a second pass) and no less (a cut end).
        if (qAbs(last - first - AudioMonitor::fromMs(500)) > AudioMonitor::fromMs(10))
            return message("sounded for ", last - first);
        if (m_monitor.toneShare(first + AudioMonitor::fromMs(10), first + AudioMonitor::fromMs(290), 440) <
            0.8)
            return "the opening tone is missing";
        if (m_monitor.toneShare(last - AudioMonitor::fromMs(190), last - AudioMonitor::fromMs(5), 1000) < 0.8)
            return "the closing tone is missing";
        return {};
    });
    QVERIFY2(heard.isEmpty(), heard.constData());
}

void TestAudioPlayer::everyPcmFormatSounds_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("lengthMs");
    QTest::newRow("8-bit mono 8000 Hz") << int(SF_FORMAT_PCM_U8) << 8000 << 1 << 300;
    QTest::newRow("16-bit stereo 44100 Hz") << int(SF_FORMAT_PCM_16) << 44100 << 2 << 300;
    QTest::newRow("24-bit mono 22050 Hz") << int(SF_FORMAT_PCM_24) << 22050 << 1 << 300;
    QTest::newRow("32-bit float stereo 48000 Hz") << int(SF_FORMAT_FLOAT) << 48000 << 2 << 300;
    QTest::newRow("32-bit float mono 11025 Hz") << int(SF_FORMAT_FLOAT) << 11025 << 1 << 300;
    // Shorter than what the sink buffers before it starts playing.
    QTest::newRow("16-bit mono 48000 Hz, 40 ms") << int(SF_FORMAT_PCM_16) << 48000 << 1 << 40;
}

void TestAudioPlayer::everyPcmFormatSounds()
{
    QFETCH(int, format);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, lengthMs);
    const QString name = u"format-%1-%2-%3-%4.wav"_s.arg(format, 0, 16).arg(rate).arg(channels).arg(lengthMs);
    const QString path = tonePath(name, {{600, lengthMs / 1000.0}}, rate, channels, SF_FORMAT_WAV | format);
    const Heard heard = threeTries([&]() -> Heard {
        const qint64 begin = quietMoment();
        AudioPlayer player;
        player.setSource(path);
        player.setRepeatCount(1);
        QTest::qWait(600);
        if (!m_monitor.waitUntilRecorded(m_monitor.now()))
            return "nothing recorded";

        const qint64 first = m_monitor.firstSound(begin, m_monitor.recorded());
        if (first < 0)
            return "silent";
        const qint64 length = m_monitor.lastSound(begin, m_monitor.recorded()) - first;
        if (qAbs(length - AudioMonitor::fromMs(lengthMs)) > AudioMonitor::fromMs(15))
            return message("sounded for ", length);
        if (m_monitor.toneShare(first + AudioMonitor::fromMs(5), first + length - AudioMonitor::fromMs(5),
                                600) < 0.8)
            return "not the tone of the file";
        return {};
    });
    QVERIFY2(heard.isEmpty(), heard.constData());
}

void TestAudioPlayer::newSourceCutsOffTheSoundingOne()
{
    const QString call = tonePath(u"call-440.wav"_s, {{440, 0.5}});
    const QString feedback = tonePath(u"feedback-1000.wav"_s, {{1000, 0.3}});
    const Heard heard = threeTries([&]() -> Heard {
        AudioPlayer player;
        player.setSource(call);
        player.setRepeatCount(0);
        QTest::qWait(400);
        const qint64 switched = m_monitor.now();
        player.setSource(feedback);
        player.setRepeatCount(1);
        QTest::qWait(600);
        if (!m_monitor.waitUntilRecorded(m_monitor.now()))
            return "nothing recorded";

        const qint64 settled = switched + AudioMonitor::fromMs(50);
        if (m_monitor.toneShare(settled, m_monitor.recorded(), 440) > 0.05)
            return "the old call went on";
        if (m_monitor.toneShare(settled, settled + AudioMonitor::fromMs(200), 1000) < 0.8)
            return "the new sound did not take over";
        return {};
    });
    QVERIFY2(heard.isEmpty(), heard.constData());
}

void TestAudioPlayer::unplayableFileStaysSilent_data()
{
    QTest::addColumn<QString>("path");
    QVERIFY(m_dir.isValid());
    const auto create = [this](const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    };
    const auto cut = [this](const QString& name, qint64 size) {
        const QString path = tonePath(name, {{440, 1.0}});
        QFile::resize(path, size);
        return path;
    };
    QByteArray noise(20000, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);

    QTest::newRow("missing file") << m_dir.filePath(u"nowhere.wav"_s);
    QTest::newRow("zero-length file") << create(u"empty.wav"_s, {});
    QTest::newRow("sound data cut short") << cut(u"cut-data.wav"_s, 30000);
    QTest::newRow("header cut short") << cut(u"cut-header.wav"_s, 30);
    QTest::newRow("random bytes") << create(u"noise.wav"_s, noise);
    QTest::newRow("random bytes behind a RIFF header")
        << create(u"riff-noise.wav"_s, QByteArray("RIFF\x10\x4e\0\0WAVE", 12) + noise);
    QDir(m_dir.path()).mkpath(u"folder.wav"_s);
    QTest::newRow("directory") << m_dir.filePath(u"folder.wav"_s);
    // Qt's PulseAudio output divides by the bytes in 20 ms: zero at this rate.
    QTest::newRow("sample rate of 10 Hz") << tonePath(u"rate10.wav"_s, {{2, 5.0}}, 10);
    QTest::newRow("AIFF under a .wav name")
        << tonePath(u"aiff.wav"_s, {{440, 0.5}}, 44100, 1, SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
}

void TestAudioPlayer::unplayableFileStaysSilent()
{
    QFETCH(QString, path);
    const QString good = tonePath(u"short.wav"_s, {{700, 0.2}});
    auto bad = std::make_unique<AudioPlayer>();
    const qint64 begin = quietMoment();
    bad->setSource(path);
    bad->setRepeatCount(0);
    QTest::qWait(400);
    const qint64 afterBad = m_monitor.now();
    QVERIFY(m_monitor.waitUntilRecorded(afterBad));
    QCOMPARE(m_monitor.firstSound(begin, afterBad), -1);

    // A bad file must not spoil the sounds after it, nor the closing of the screen.
    auto next = std::make_unique<AudioPlayer>();
    next->setSource(good);
    next->setRepeatCount(1);
    QTest::qWait(400);
    QVERIFY(m_monitor.waitUntilRecorded(m_monitor.now()));
    QVERIFY2(m_monitor.firstSound(afterBad, m_monitor.recorded()) >= 0, "a good file after it stayed silent");
    bad.reset();
    next.reset();
}

void TestAudioPlayer::missingSoundServerIsSilentNotFatal()
{
    const QString path = tonePath(u"call.wav"_s, {{880, 0.125}, {440, 0.125}});
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kNoServerChildVariable), path);
    environment.insert(u"PULSE_SERVER"_s, u"unix:"_s + m_dir.filePath(u"no-server/native"_s));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QVERIFY2(child.waitForFinished(20000), "hung without a sound server");
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

// Plays, replaces, stops and destroys players with no sound server to talk to.
static int playWithoutServer(const QString& path)
{
    auto wait = [](int msec) {
        QEventLoop loop;
        QTimer::singleShot(msec, &loop, &QEventLoop::quit);
        loop.exec();
    };
    auto call = std::make_unique<AudioPlayer>();
    AudioPlayer feedback;
    call->setSource(path);
    call->setRepeatCount(0);
    wait(200);
    call->stop();
    feedback.setSource(path);
    feedback.setRepeatCount(1);
    call->setSource(path);
    wait(200);
    call.reset();
    return 0;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString childFile = qEnvironmentVariable(kNoServerChildVariable);
    if (!childFile.isEmpty())
        return playWithoutServer(childFile);
    TestAudioPlayer test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_audioplayer.moc"
