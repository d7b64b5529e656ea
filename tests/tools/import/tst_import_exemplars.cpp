// piyo-import with several pictures and calls per bird: a new file is added beside the
// user's first, tagged from its name; the first is replaced only when asked; every call
// comes out at one loudness; the summary says what each bird has and what to look for.
#include "Exemplars.h"
#include "Importer.h"
#include "Loudness.h"
#include "RecordingImport.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A tone that comes and goes: `bursts` notes of `noteSeconds` at `amplitude`, a pause after each.
recordingimport::Sound bursts(double amplitude, double hz, int count, double noteSeconds, int rate = 48000)
{
    recordingimport::Sound sound;
    sound.sampleRate = rate;
    for (int n = 0; n < count; ++n) {
        for (int i = 0; i < int(noteSeconds * rate); ++i)
            sound.samples.push_back(float(amplitude * std::sin(2 * M_PI * hz * i / rate)));
        sound.samples.insert(sound.samples.end(), std::size_t(rate / 4), 0.0f);
    }
    return sound;
}

bool writeTone(const QString& path, double amplitude, double hz, double seconds)
{
    QDir().mkpath(QFileInfo(path).path());
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> samples;
    for (int i = 0; i < int(seconds * 44100); ++i)
        samples.push_back(float(amplitude * std::sin(2 * M_PI * hz * i / 44100)));
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    return sf_close(file) == 0;
}

recordingimport::Sound readWav(const QString& path)
{
    SF_INFO info{};
    recordingimport::Sound sound;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return sound;
    sound.samples.resize(std::size_t(info.frames * info.channels));
    sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    sound.sampleRate = info.samplerate;
    return sound;
}

bool writePicture(const QString& path, QColor colour)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(colour);
    return picture.save(path);
}

// The files of one folder, sorted, without the ones moved aside.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
}

struct Run
{
    int leftAlone = 0;
    QString log;
    QStringList asked;
};

Run import(const ImportOptions& options, const QStringList& sources, bool answer = false)
{
    Run run;
    QTextStream out(&run.log);
    Importer importer(options, out, [&](const QString& question) {
        run.asked << question;
        return answer;
    });
    QList<SourceFile> files;
    for (const QString& source : sources)
        files << SourceFile{source};
    run.leftAlone = importer.run(files);
    if (!options.dryRun)
        importer.printSummary();
    return run;
}

} // namespace

class ImportExemplarsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tagsFromTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("credit");
        QTest::newRow("archive name: the catalogue number is the credit")
            << u"XC123456 - Grey Plover - Pluvialis squatarola.mp3"_s << QStringList{} << u"XC123456"_s;
        QTest::newRow("archive name with the call's type")
            << u"XC98765 - Dunlin - Calidris alpina - flight call.flac"_s << QStringList{u"飛翔"_s}
            << u"XC98765"_s;
        QTest::newRow("song and call both named")
            << u"ハマシギ さえずり 地鳴き.wav"_s << QStringList{u"さえずり"_s, u"地鳴き"_s} << QString();
        QTest::newRow("an alarm") << u"Dunlin alarm.ogg"_s << QStringList{u"警戒"_s} << QString();
        QTest::newRow("a plumage word on a recording is no call type")
            << u"Dunlin summer.wav"_s << QStringList{} << QString();
        QTest::newRow("plumage and sex of a photograph")
            << u"コガモ 雌 エクリプス.jpg"_s << QStringList{u"雌"_s, u"エクリプス"_s} << QString();
        QTest::newRow("a juvenile in flight")
            << u"Red Knot juvenile in flight.jpg"_s << QStringList{u"飛翔"_s, u"幼鳥"_s} << QString();
        QTest::newRow("a call word on a photograph is no plumage")
            << u"Dunlin song.jpg"_s << QStringList{} << QString();
        QTest::newRow("xc inside a word is no number")
            << u"Dunlin exc123.wav"_s << QStringList{} << QString();
        QTest::newRow("a description takes no tags") << u"Dunlin song.txt"_s << QStringList{} << QString();
    }
    void tagsFromTheName()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, words);
        QFETCH(QString, credit);
        const media::ExemplarTags tags = tagsFromName(name, kindOf(name));
        QCOMPARE(tags.words, words);
        QCOMPARE(tags.credit, credit);
    }

    // The first recording of the user's own takes the bundled one's place; the second is
    // added beside it, tagged, and nothing is asked or replaced.
    void secondRecordingIsAddedBesideTheFirst()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s);
        const QString first = dir.filePath(u"in/ハマシギ.wav"_s);
        const QString second = dir.filePath(u"in/XC42 - Dunlin - Calidris alpina flight call.wav"_s);
        QVERIFY(writeTone(first, 0.5, 3000, 2));
        QVERIFY(writeTone(second, 0.2, 5000, 2));
        ImportOptions options;
        options.personalRoot = root;
        const Run one = import(options, {first});
        QCOMPARE(one.leftAlone, 0);
        const Run two = import(options, {second});
        QCOMPARE(two.leftAlone, 0);
        QVERIFY(two.asked.isEmpty());
        QCOMPARE(filesIn(root + u"/声"_s), (QStringList{u"k60-2.tags"_s, u"k60-2.wav"_s, u"k60.wav"_s}));
        const QList<media::Exemplar> calls = media::findExemplars({root}, media::BirdFile::Call, u"60"_s);
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls.at(1).tags.words, QStringList{u"飛翔"_s});
        QCOMPARE(calls.at(1).tags.credit, u"XC42"_s);
        QVERIFY2(two.log.contains(u"ハマシギ (60)"_s) && two.log.contains(u"call 2 of"_s),
                 qPrintable(two.log));
    }

    void whatReplaceAndPrimaryDo_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("primary");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("neither: added as the second")
            << false << false << false << 0 << QStringList{u"b60-2.png"_s, u"b60.jpg"_s};
        QTest::newRow("--primary, the user says yes: replaced, the earlier kept aside")
            << false << true << true << 1 << QStringList{u"b60.png"_s};
        QTest::newRow("--primary, the user says no: kept")
            << false << true << false << 1 << QStringList{u"b60.jpg"_s};
        QTest::newRow("--replace: replaced without asking")
            << true << false << false << 0 << QStringList{u"b60.png"_s};
    }
    void whatReplaceAndPrimaryDo()
    {
        QFETCH(bool, replace);
        QFETCH(bool, primary);
        QFETCH(bool, answer);
        QFETCH(int, asked);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s);
        QVERIFY(writePicture(root + u"/姿/b60.jpg"_s, Qt::red));
        const QString source = dir.filePath(u"Dunlin.jpg"_s);
        QVERIFY(writePicture(source, Qt::blue));
        ImportOptions options;
        options.personalRoot = root;
        options.replace = replace;
        options.primary = primary;
        options.bird = primary ? 60 : 0;
        const Run run = import(options, {source}, answer);
        QCOMPARE(run.asked.size(), asked);
        QStringList found = filesIn(root + u"/姿"_s);
        found.removeIf([](const QString& name) { return name.contains(u".replaced-"_s); });
        QCOMPARE(found, files);
        // Whatever was done, the user's red picture is still there, in use or moved aside.
        QCOMPARE(QDir(root + u"/姿"_s).entryList({u"b60.jpg*"_s}).size(), 1);
    }

    // A bundled second picture keeps its number: the user's goes to the next free one, and a
    // tags file left behind by a removed picture is not written over.
    void furtherNumbersSkipBundledAndLeftoverFiles()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s), bundled = dir.filePath(u"media"_s);
        QVERIFY(writePicture(root + u"/姿/b60.png"_s, Qt::red));
        QVERIFY(writeFile(bundled + u"/姿/b60-2.gif"_s, "GIF89a"));
        QVERIFY(writeFile(root + u"/姿/b60-3.tags"_s, "幼鳥\n"));
        const QString a = dir.filePath(u"in/Dunlin juvenile.jpg"_s),
                      b = dir.filePath(u"in/Dunlin female.jpg"_s);
        QVERIFY(writePicture(a, Qt::blue));
        QVERIFY(writePicture(b, Qt::green));
        ImportOptions options;
        options.personalRoot = root;
        options.dataRoot = bundled;
        QCOMPARE(import(options, {a, b}).leftAlone, 0);
        QCOMPARE(filesIn(root + u"/姿"_s), (QStringList{u"b60-3.tags"_s, u"b60-4.png"_s, u"b60-4.tags"_s,
                                                        u"b60-5.png"_s, u"b60-5.tags"_s, u"b60.png"_s}));
        QCOMPARE(media::readExemplarTags(root + u"/姿/b60-5.png"_s).words, QStringList{u"雌"_s});
    }

    // The bundled picture and call stay the bird's first: the user's own come beside them,
    // to be shown in turn, unless they are asked to be the first.
    void theUsersFirstComesBesideTheBundled_data()
    {
        QTest::addColumn<bool>("primary");
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("by default, beside")
            << false << QStringList{u"b60-2.png"_s} << QStringList{u"k60-3.tags"_s, u"k60-3.wav"_s};
        QTest::newRow("--replace: in the first's place, the bundled left as it is")
            << true << QStringList{u"b60.png"_s} << QStringList{u"k60.tags"_s, u"k60.wav"_s};
    }
    void theUsersFirstComesBesideTheBundled()
    {
        QFETCH(bool, primary);
        QFETCH(QStringList, pictures);
        QFETCH(QStringList, calls);
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s), bundled = dir.filePath(u"media"_s);
        QVERIFY(writeFile(bundled + u"/姿/b60.gif"_s, "GIF89a"));
        QVERIFY(writeFile(bundled + u"/声/k60.wav"_s, "RIFF"));
        QVERIFY(writeFile(bundled + u"/声/k60-2.wav"_s, "RIFF"));
        const QString photo = dir.filePath(u"in/Dunlin.jpg"_s),
                      song = dir.filePath(u"in/XC7 - Dunlin song.wav"_s);
        QVERIFY(writePicture(photo, Qt::blue));
        QVERIFY(writeTone(song, 0.5, 3000, 1));
        ImportOptions options;
        options.personalRoot = root;
        options.dataRoot = bundled;
        options.replace = primary;
        QCOMPARE(import(options, {photo, song}).leftAlone, 0);
        QCOMPARE(filesIn(root + u"/姿"_s), pictures);
        QCOMPARE(filesIn(root + u"/声"_s), calls);
        QCOMPARE(filesIn(bundled + u"/声"_s), (QStringList{u"k60-2.wav"_s, u"k60.wav"_s}));
        const QList<media::Exemplar> found =
            media::findExemplars({root, bundled}, media::BirdFile::Call, u"60"_s);
        QCOMPARE(found.size(), primary ? 2 : 3);
        QVERIFY(found.first().personal == primary);
    }

    void aFullBirdIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s);
        QVERIFY(writeFile(root + u"/声/k60.wav"_s, "RIFF"));
        for (int index = 2; index <= media::MaxExemplars; ++index)
            QVERIFY(writeFile(root + u"/声/k60-%1.wav"_s.arg(index), "RIFF"));
        const QString source = dir.filePath(u"Dunlin.wav"_s);
        QVERIFY(writeTone(source, 0.5, 3000, 1));
        ImportOptions options;
        options.personalRoot = root;
        const Run run = import(options, {source});
        QCOMPARE(run.leftAlone, 1);
        QVERIFY2(run.log.contains(u"the most a bird has"_s), qPrintable(run.log));
        QCOMPARE(filesIn(root + u"/声"_s).size(), media::MaxExemplars);
    }

    void dryRunSaysWhereEachWouldGo()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s);
        QVERIFY(writeFile(root + u"/声/k60.wav"_s, "RIFF"));
        const QString a = dir.filePath(u"in/Dunlin song.wav"_s), b = dir.filePath(u"in/Dunlin call.wav"_s);
        QVERIFY(writeTone(a, 0.5, 3000, 1));
        QVERIFY(writeTone(b, 0.5, 3000, 1));
        ImportOptions options;
        options.personalRoot = root;
        options.dryRun = true;
        const Run run = import(options, {a, b});
        QCOMPARE(run.leftAlone, 0);
        QVERIFY2(run.log.contains(u"k60-2.wav as call 2 of ハマシギ (60) (さえずり)"_s), qPrintable(run.log));
        QVERIFY2(run.log.contains(u"k60-3.wav as call 3 of ハマシギ (60) (地鳴き)"_s), qPrintable(run.log));
        QCOMPARE(filesIn(root + u"/声"_s), QStringList{u"k60.wav"_s});
    }

    // The summary: how many of each a bird has, whose, with which tags; and the species still
    // on the bundled media alone, by the names an archive files them under.
    void summaryCountsAndShoppingList()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(u"piyo"_s), bundled = dir.filePath(u"media"_s);
        QVERIFY(writeFile(bundled + u"/声/k60.wav"_s, "RIFF"));
        QVERIFY(writeFile(bundled + u"/声/k60-2.wav"_s, "RIFF"));
        QVERIFY(writeFile(bundled + u"/声/k60-2.tags"_s, "飛翔\n"));
        QVERIFY(writeFile(bundled + u"/姿/b60.gif"_s, "GIF89a"));
        const QString source = dir.filePath(u"Dunlin song.wav"_s);
        QVERIFY(writeTone(source, 0.5, 3000, 1));
        ImportOptions options;
        options.personalRoot = root;
        options.dataRoot = bundled;
        const Run run = import(options, {source});
        QCOMPARE(run.leftAlone, 0);
        // The user's song is added beside the bundled calls.
        QVERIFY2(
            run.log.contains(u"60 ハマシギ: 1 picture, 3 calls (1 yours; さえずり 1, 飛翔 1, untagged 1)"_s),
            qPrintable(run.log));
        QVERIFY2(run.log.contains(u"61 "_s), qPrintable(run.log));
        QVERIFY2(run.log.contains(u"ハマシギ (60): pictures — Calidris alpina, Dunlin"_s),
                 qPrintable(run.log));
        QVERIFY2(
            run.log.contains(u"ダイゼン (22, 63): pictures and calls — Pluvialis squatarola, Grey Plover"_s),
            qPrintable(run.log));
    }

    void oneLoudnessWithinOneLu_data()
    {
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("hz");
        QTest::addColumn<int>("notes");
        QTest::addColumn<double>("noteSeconds");
        QTest::newRow("a quiet flight call: short notes far apart") << 0.02 << 4500.0 << 6 << 0.08;
        QTest::newRow("a loud song: long and near full scale") << 0.95 << 2500.0 << 3 << 2.5;
        QTest::newRow("a low grunt") << 0.3 << 150.0 << 4 << 0.5;
    }
    void oneLoudnessWithinOneLu()
    {
        QFETCH(double, amplitude);
        QFETCH(double, hz);
        QFETCH(int, notes);
        QFETCH(double, noteSeconds);
        QString error;
        recordingimport::Sound sound =
            recordingimport::shape(bursts(amplitude, hz, notes, noteSeconds), {}, &error);
        QVERIFY2(!sound.samples.empty(), qPrintable(error));
        QVERIFY(recordingimport::normaliseLoudness(sound).has_value());
        // Measured again from the 16-bit file, as the program plays it.
        QTemporaryDir dir;
        QVERIFY(recordingimport::writeWav16(sound, dir.filePath(u"k1.wav"_s), &error));
        const std::optional<recordingimport::Loudness> heard =
            recordingimport::measureLoudness(readWav(dir.filePath(u"k1.wav"_s)));
        QVERIFY(heard.has_value());
        QVERIFY2(std::abs(heard->integratedLufs - recordingimport::TargetLufs) <= 1.0,
                 qPrintable(QString::number(heard->integratedLufs)));
        QVERIFY(heard->truePeakDbtp <= recordingimport::TruePeakCeilingDbtp + 0.1);
    }

    // Clicks a few samples wide and little else: reaching the loudness would clip them, so the
    // true-peak ceiling holds and the call stays quieter instead.
    void truePeakCeilingHoldsForAPeakyCall()
    {
        recordingimport::Sound sound;
        sound.sampleRate = 48000;
        sound.samples.assign(48000 * 3, 0.0f);
        for (std::size_t at = 1000; at < sound.samples.size(); at += 12000)
            for (std::size_t i = 0; i < 8; ++i)
                sound.samples[at + i] = (i % 2 ? -0.7f : 0.7f);
        const std::optional<recordingimport::Loudness> after = recordingimport::normaliseLoudness(sound);
        QVERIFY(after.has_value());
        QVERIFY(after->integratedLufs < recordingimport::TargetLufs - 1);
        QVERIFY(std::abs(after->truePeakDbtp - recordingimport::TruePeakCeilingDbtp) < 0.01);
        const auto peak = std::ranges::max(sound.samples, {}, [](float s) { return std::abs(s); });
        QVERIFY(std::abs(peak) < 1.0f);
    }

    void silenceIsLeftAsItIs()
    {
        // Nothing above the loudness gate: nothing is measured, nothing changed.
        recordingimport::Sound silence;
        silence.sampleRate = 48000;
        silence.samples.assign(48000, 0.0f);
        QVERIFY(!recordingimport::normaliseLoudness(silence).has_value());
        QVERIFY(std::ranges::all_of(silence.samples, [](float s) { return s == 0.0f; }));
    }
};

QTEST_GUILESS_MAIN(ImportExemplarsTest)
#include "tst_import_exemplars.moc"
