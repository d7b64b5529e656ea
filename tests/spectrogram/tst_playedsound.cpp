// The real player's reports, through the audio thread and the PulseAudio null sink.
#include "AudioPlayer.h"
#include "audiotestfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Reports
{
    QList<DecodedSound> decoded;
    QList<PlayPosition> positions;

    SoundWatcher watcher()
    {
        return {[this](const DecodedSound& sound) { decoded << sound; },
                [this](const PlayPosition& at) { positions << at; }};
    }
};

} // namespace

class PlayedSoundTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            QSKIP("no sound server (PULSE_SERVER unset)");
        QVERIFY(m_dir.isValid());
    }

    // The picture is drawn from what is played: the samples decoded, mixed to mono.
    void decodedSoundIsWhatIsPlayed()
    {
        const QString path = m_dir.filePath(u"stereo.wav"_s);
        QVERIFY(writeToneFile(path, {{1000, 0.3}, {0, 0.2}}, 44100, 2));
        AudioPlayer player;
        Reports reports;
        player.watch(reports.watcher());
        player.setSource(path);
        player.setRepeatCount(0);
        QTRY_COMPARE_WITH_TIMEOUT(reports.decoded.size(), 1, 5000);
        const DecodedSound& sound = reports.decoded.first();
        QCOMPARE(sound.sampleRate, 44100);
        QCOMPARE(qsizetype(sound.samples->size()), qsizetype(0.5 * 44100));
        QVERIFY(std::abs(sound.samples->at(441 * 10 + 11)) > 0.4f); // a crest of the tone
        QCOMPARE(sound.samples->back(), 0.0f);                      // in the silence
        player.stop();
    }

    // The cursor's time runs with the sound and wraps at each repeat; it stops with the sound.
    void positionWrapsAtEachRepeatAndStops()
    {
        const QString path = m_dir.filePath(u"short.wav"_s);
        QVERIFY(writeToneFile(path, {{800, 0.25}}));
        AudioPlayer player;
        Reports reports;
        player.watch(reports.watcher());
        player.setSource(path);
        player.setRepeatCount(0);
        const auto wraps = [&reports] {
            int count = 0;
            for (qsizetype i = 1; i < reports.positions.size(); ++i)
                count += reports.positions[i].playing && reports.positions[i - 1].playing &&
                         reports.positions[i].seconds < reports.positions[i - 1].seconds;
            return count;
        };
        QTRY_VERIFY_WITH_TIMEOUT(wraps() >= 2, 5000);
        for (const PlayPosition& at : std::as_const(reports.positions))
            QVERIFY2(at.seconds >= 0 && at.seconds < 0.25, qPrintable(QString::number(at.seconds)));
        player.stop();
        QVERIFY(!reports.positions.last().playing);
        const qsizetype atStop = reports.positions.size();
        QTest::qWait(150); // reports already on their way for the stopped sound are dropped
        QCOMPARE(reports.positions.size(), atStop);
    }

    // Played a given number of times, the cursor goes when the sound ends.
    void positionEndsWithTheLastPass()
    {
        const QString path = m_dir.filePath(u"once.wav"_s);
        QVERIFY(writeToneFile(path, {{600, 0.2}}));
        AudioPlayer player;
        Reports reports;
        player.watch(reports.watcher());
        player.setSource(path);
        player.setRepeatCount(2);
        QTRY_VERIFY_WITH_TIMEOUT(!reports.positions.isEmpty() && reports.positions.first().playing, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!reports.positions.last().playing, 5000);
    }

    // A new source replaces the old one's reports, even those already on their way.
    void onlyTheLatestSourceIsReported()
    {
        const QString first = m_dir.filePath(u"first.wav"_s), second = m_dir.filePath(u"second.wav"_s);
        QVERIFY(writeToneFile(first, {{500, 0.4}}, 48000));
        QVERIFY(writeToneFile(second, {{700, 0.3}}, 22050));
        AudioPlayer player;
        Reports reports;
        player.watch(reports.watcher());
        player.setSource(first);
        player.setSource(second);
        QTRY_VERIFY_WITH_TIMEOUT(!reports.decoded.isEmpty(), 5000);
        QTest::qWait(100);
        QCOMPARE(reports.decoded.size(), 1);
        QCOMPARE(reports.decoded.first().sampleRate, 22050);
        player.stop();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(PlayedSoundTest)
#include "tst_playedsound.moc"
