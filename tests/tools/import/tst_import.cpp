// piyo-import: which bird a file name names, and what a photograph, a recording and a text
// become in the user's own folder.
#include "BirdSpecies.h"
#include "DescriptionImport.h"
#include "Importer.h"
#include "NameRecognizer.h"
#include "PictureImport.h"
#include "PictureLoader.h"
#include "RecordingImport.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString birdsText(const QList<int>& birds)
{
    QStringList numbers;
    for (int bird : birds)
        numbers << QString::number(bird);
    return numbers.join(u' ');
}

// A JPEG whose orientation tag says "turn 90° clockwise to show": an EXIF block with the
// one tag, put right after the start-of-image marker, as cameras held upright write it.
QByteArray jpegTurnedClockwise(const QImage& stored)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "JPEG").write(stored);
    const QByteArray exif = QByteArray::fromHex("FFE10022"
                                                "457869660000"             // "Exif\0\0"
                                                "4D4D002A00000008"         // big-endian TIFF header
                                                "0001"                     // one entry
                                                "011200030000000100060000" // Orientation = 6
                                                "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2);
}

recordingimport::Sound readWav(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    recordingimport::Sound sound;
    if (!file)
        return sound;
    sound.samples.resize(std::size_t(info.frames * info.channels));
    sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    sound.sampleRate = info.channels == 1 ? info.samplerate : -info.channels;
    return sound;
}

double peakDbfs(const std::vector<float>& samples)
{
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    return 20 * std::log10(double(peak));
}

// Quiet hiss with a loud call from 12 s to 14 s: the loudest 10 s must hold the call.
recordingimport::Sound fieldRecording(int rate, double seconds)
{
    recordingimport::Sound sound;
    sound.sampleRate = rate;
    for (int i = 0; i < int(seconds * rate); ++i) {
        const double t = double(i) / rate;
        const double hiss = 0.01 * std::sin(i * 12.9898);
        const double call = t >= 12 && t < 14 ? 0.5 * std::sin(2 * M_PI * 3000 * t) : 0;
        sound.samples.push_back(float(hiss + call));
    }
    return sound;
}

} // namespace

class ImportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recognisesTheBird_data();
    void recognisesTheBird();
    void seasonOptionKeepsOneBoard();
    void birdOptionPlacesByHand();
    void picturesFitThePanelAtTwiceTheSize_data();
    void picturesFitThePanelAtTwiceTheSize();
    void twiceSizePictureIsShownAtDesignSize();
    void jpegOrientationIsHonoured();
    void recordingIsTrimmedFadedAndNormalised();
    void fromAndToChooseTheStretch();
    void recordingFileBecomesMonoWavOnBothNumbers();
    void descriptionBecomesCodePage932();
    void descriptionRefusesWithLineAndCharacter();
    void earlierFileIsKeptUnlessReplaced();
    void dryRunWritesAndAsksNothing();
};

void ImportTest::recognisesTheBird_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("birds"); // where the file goes; empty: left alone

    QTest::newRow("archive style") << u"XC123456 - Grey Plover - Pluvialis squatarola.mp3"_s << u"22 63"_s;
    QTest::newRow("katakana") << u"ダイゼン.jpg"_s << u"22 63"_s;
    QTest::newRow("katakana, numbered") << u"ダイゼン_2.jpg"_s << u"22 63"_s;
    QTest::newRow("katakana, sex") << u"ダイゼン（雄）.jpg"_s << u"22 63"_s;
    QTest::newRow("half-width katakana") << u"ﾀﾞｲｾﾞﾝ.jpg"_s << u"22 63"_s;
    QTest::newRow("half-width, suffix") << u"ｷｮｳｼﾞｮｼｷﾞ-3.jpg"_s << u"23 48"_s;
    QTest::newRow("summer plumage") << u"ダイゼン 夏羽.jpg"_s << u"22"_s;
    QTest::newRow("winter plumage") << u"ダイゼン冬羽_1.jpg"_s << u"63"_s;
    QTest::newRow("breeding") << u"Grey Plover breeding.jpg"_s << u"22"_s;
    QTest::newRow("non-breeding") << u"grey-plover non-breeding.jpg"_s << u"63"_s;
    QTest::newRow("winter") << u"Grey Plover winter.jpg"_s << u"63"_s;
    QTest::newRow("recording ignores plumage") << u"Grey Plover winter.mp3"_s << u"22 63"_s;
    QTest::newRow("one board, plumage ignored") << u"Dunlin breeding.jpg"_s << u"60"_s;
    QTest::newRow("bird number") << u"63.flac"_s << u"63"_s;
    QTest::newRow("picture name") << u"b22.png"_s << u"22"_s;
    QTest::newRow("full-width number") << u"Ｂ２２.png"_s << u"22"_s;
    QTest::newRow("scientific") << u"Pluvialis squatarola.wav"_s << u"22 63"_s;
    QTest::newRow("subspecies") << u"Numenius phaeopus variegatus - XC99.mp3"_s << u"9"_s;
    QTest::newRow("former genus") << u"Charadrius mongolus.mp3"_s << u"15 65"_s;
    QTest::newRow("another list's split") << u"Eastern Great Egret - Ardea modesta.mp3"_s << u"5"_s;
    QTest::newRow("hyphen") << u"Grey-tailed Tattler.mp3"_s << u"20"_s;
    QTest::newRow("hyphen as space") << u"grey tailed tattler.mp3"_s << u"20"_s;
    QTest::newRow("hyphen left out") << u"greytailed_tattler.mp3"_s << u"20"_s;
    QTest::newRow("American spelling") << u"Gray Heron.jpg"_s << u"1"_s;
    QTest::newRow("possessive") << u"Saunders Gull.jpg"_s << u"58"_s;
    QTest::newRow("longer name wins (kana)") << u"ハジロカイツブリ.jpg"_s << u"53"_s;
    QTest::newRow("longer name wins (kana 2)") << u"オオソリハシシギ.jpg"_s << u"13 51"_s;
    QTest::newRow("longer name wins (English)") << u"Little Tern.mp3"_s << u"3"_s;
    QTest::newRow("unknown") << u"IMG_1234.jpg"_s << QString();
    QTest::newRow("archive number alone") << u"XC123456.mp3"_s << QString();
    QTest::newRow("no such bird number") << u"81.jpg"_s << QString();
    QTest::newRow("two birds (kana)") << u"ダイゼンとハマシギ.jpg"_s << QString();
    QTest::newRow("two birds (English)") << u"Dunlin and Grey Plover.mp3"_s << QString();
    QTest::newRow("names disagree") << u"ダイゼン - Dunlin.mp3"_s << QString();
    QTest::newRow("not media") << u"ダイゼン.pdf"_s << QString();
}

void ImportTest::recognisesTheBird()
{
    QFETCH(QString, file);
    QFETCH(QString, birds);
    const Placement placement = place(u"/photos/"_s + file, ImportOptions{});
    QCOMPARE(birdsText(placement.birds), birds);
    QCOMPARE(placement.problem.isEmpty(), !birds.isEmpty());
}

void ImportTest::seasonOptionKeepsOneBoard()
{
    ImportOptions options;
    options.season = Season::AutumnWinter;
    QCOMPARE(birdsText(place(u"ダイゼン.mp3"_s, options).birds), u"63"_s);
    const Placement summerOnly = place(u"アオサギ.jpg"_s, options);
    QVERIFY(summerOnly.birds.isEmpty());
    QVERIFY(summerOnly.problem.contains(u"秋冬"_s));
}

void ImportTest::birdOptionPlacesByHand()
{
    ImportOptions options;
    options.bird = 7;
    QCOMPARE(birdsText(place(u"IMG_1234.jpg"_s, options).birds), u"7"_s);
    QCOMPARE(birdsText(place(u"ダイゼン.jpg"_s, options).birds), u"7"_s);
}

void ImportTest::picturesFitThePanelAtTwiceTheSize_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("stored");
    QTest::newRow("camera landscape") << QSize(4000, 3000) << QSize(596, 447);
    QTest::newRow("camera portrait") << QSize(3000, 4000) << QSize(541, 722);
    QTest::newRow("small: never enlarged") << QSize(200, 150) << QSize(200, 150);
    QTest::newRow("between 1x and 2x kept") << QSize(500, 400) << QSize(500, 400);
}

void ImportTest::picturesFitThePanelAtTwiceTheSize()
{
    QFETCH(QSize, source);
    QFETCH(QSize, stored);
    QCOMPARE(pictureimport::storedSize(source), stored);
}

// The stored picture is twice the panel; the program must not show it beyond the panel.
void ImportTest::twiceSizePictureIsShownAtDesignSize()
{
    QTemporaryDir dir;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    const QString source = dir.filePath(u"photo.jpg"_s);
    QVERIFY(photo.save(source, "JPEG"));
    QString error;
    const QImage prepared = pictureimport::prepare(source, &error);
    QVERIFY2(!prepared.isNull(), qPrintable(error));
    const QString target = dir.filePath(u"b22.png"_s);
    QVERIFY2(pictureimport::writePng(prepared, target, &error), qPrintable(error));
    QCOMPARE(QImage(target).size(), QSize(596, 447));
    QCOMPARE(readPicture(target).size(), QSize(298, 224));

    // A window at twice the design size shows every pixel, in the same place.
    const QImage fine = readPicture(target, 2);
    QCOMPARE(fine.size(), QSize(596, 447));
    QCOMPARE(fine.deviceIndependentSize().toSize(), QSize(298, 224));
}

void ImportTest::jpegOrientationIsHonoured()
{
    QImage stored(40, 20, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    QTemporaryDir dir;
    const QString source = dir.filePath(u"upright.jpg"_s);
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(jpegTurnedClockwise(stored));
    file.close();

    QString error;
    const QImage prepared = pictureimport::prepare(source, &error);
    QCOMPARE(prepared.size(), QSize(20, 40));
    // Turned clockwise, the left (red) half of the stored picture is on top.
    QVERIFY(qRed(prepared.pixel(10, 5)) > 200 && qBlue(prepared.pixel(10, 5)) < 60);
    QVERIFY(qBlue(prepared.pixel(10, 35)) > 200 && qRed(prepared.pixel(10, 35)) < 60);
}

void ImportTest::recordingIsTrimmedFadedAndNormalised()
{
    QString error;
    const recordingimport::Sound shaped = recordingimport::shape(fieldRecording(32000, 20), {}, &error);
    QVERIFY2(!shaped.samples.empty(), qPrintable(error));
    QCOMPARE(shaped.sampleRate, 48000);
    // The loudest 10 s and a second of silence.
    QVERIFY(std::abs(double(shaped.samples.size()) / 48000 - 11.0) < 0.01);

    QTemporaryDir dir;
    const QString wav = dir.filePath(u"k22.wav"_s);
    QVERIFY2(recordingimport::writeWav16(shaped, wav, &error), qPrintable(error));
    const recordingimport::Sound written = readWav(wav);
    QCOMPARE(written.sampleRate, 48000);
    QVERIFY2(std::abs(peakDbfs(written.samples) - -3.0) < 0.1,
             qPrintable(QString::number(peakDbfs(written.samples))));
    // The 2 s call is in the stretch kept, not only the hiss around it.
    const auto loud = std::ranges::count_if(written.samples, [](float s) { return std::abs(s) > 0.3f; });
    QVERIFY(loud > 48000);
    // No click where the repeat joins: the file starts and ends at rest.
    QVERIFY(std::abs(written.samples.front()) < 1e-3);
    QVERIFY(std::abs(written.samples[1]) < 0.01);
    QVERIFY(std::abs(written.samples.back()) < 1e-3);
    const std::vector<float> pause(written.samples.end() - 48000, written.samples.end());
    QVERIFY(peakDbfs(pause) < -80);
}

void ImportTest::fromAndToChooseTheStretch()
{
    const recordingimport::Sound source = fieldRecording(44100, 20);
    QString error;
    const recordingimport::Sound shaped = recordingimport::shape(source, {2.0, 5.0}, &error);
    QCOMPARE(shaped.sampleRate, 44100);
    QCOMPARE(int(shaped.samples.size()), 3 * 44100 + 44100);
    QVERIFY(recordingimport::shape(source, {25.0, 30.0}, &error).samples.empty());
    QVERIFY(!error.isEmpty());
}

void ImportTest::recordingFileBecomesMonoWavOnBothNumbers()
{
    QTemporaryDir dir;
    const QString flac = dir.filePath(u"XC1 - Grey Plover - Pluvialis squatarola.flac"_s);
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 2;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(flac).constData(), SFM_WRITE, &info);
    QVERIFY(file);
    std::vector<float> stereo;
    for (int i = 0; i < 22050 * 3; ++i) {
        const float s = float(0.3 * std::sin(2 * M_PI * 2000 * i / 22050.0));
        stereo.insert(stereo.end(), {s, s});
    }
    sf_writef_float(file, stereo.data(), 22050 * 3);
    sf_close(file);

    ImportOptions options;
    options.personalRoot = dir.filePath(u"piyo"_s);
    QString log;
    QTextStream out(&log);
    Importer importer(options, out, [](const QString&) { return false; });
    QCOMPARE(importer.run({SourceFile{flac}}), 0);
    for (int bird : {22, 63}) {
        const recordingimport::Sound written = readWav(options.personalRoot + u"/声/k%1.wav"_s.arg(bird));
        QCOMPARE(written.sampleRate, 44100);
        QCOMPARE(int(written.samples.size()), 4 * 44100);
    }
    importer.printSummary();
    QVERIFY2(log.contains(u"your own calls (1): ダイゼン"_s), qPrintable(log));
}

void ImportTest::descriptionBecomesCodePage932()
{
    QByteArray encoded;
    QString error;
    QVERIFY(descriptionimport::toCodePage932(u"ピヨ\n～①\n"_s.toUtf8(), &encoded, &error));
    QCOMPARE(encoded, "\x83\x73\x83\x88\r\n\x81\x60\x87\x40\r\n"_ba);
}

void ImportTest::descriptionRefusesWithLineAndCharacter()
{
    QByteArray encoded;
    QString error;
    QVERIFY(!descriptionimport::toCodePage932(u"ダイゼン\n大きな😀チドリ\n"_s.toUtf8(), &encoded, &error));
    QVERIFY2(error.startsWith(u"line 2, character 4"_s), qPrintable(error));
}

// The user's earlier first picture, in whatever format, is never lost when a new one is to
// take its place: kept when the user says no, moved aside when replaced.
void ImportTest::earlierFileIsKeptUnlessReplaced()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(u"piyo"_s);
    QVERIFY(QDir().mkpath(root + u"/姿"_s));
    QImage earlier(100, 100, QImage::Format_RGB32);
    earlier.fill(Qt::red);
    QVERIFY(earlier.save(root + u"/姿/b60.jpg"_s, "JPEG"));
    QImage photo(300, 200, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    const QString source = dir.filePath(u"ハマシギ.jpg"_s);
    QVERIFY(photo.save(source, "JPEG"));

    ImportOptions options;
    options.personalRoot = root;
    options.primary = true;
    QString log;
    QTextStream out(&log);
    QStringList asked;
    Importer refusing(options, out, [&](const QString& question) {
        asked << question;
        return false;
    });
    QCOMPARE(refusing.run({SourceFile{source}}), 1);
    QCOMPARE(asked.size(), 1);
    QVERIFY(QFile::exists(root + u"/姿/b60.jpg"_s));
    QVERIFY(!QFile::exists(root + u"/姿/b60.png"_s));

    options.replace = true;
    Importer replacing(options, out, [](const QString&) { return false; });
    QCOMPARE(replacing.run({SourceFile{source}}), 0);
    QCOMPARE(QImage(root + u"/姿/b60.png"_s).size(), QSize(300, 200));
    QVERIFY(!QFile::exists(root + u"/姿/b60.jpg"_s));
    const QStringList aside = QDir(root + u"/姿"_s).entryList({u"b60.jpg.replaced-*"_s});
    QCOMPARE(aside.size(), 1);
}

void ImportTest::dryRunWritesAndAsksNothing()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(u"piyo"_s);
    QVERIFY(QDir().mkpath(root + u"/姿"_s));
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(root + u"/姿/b60.jpg"_s, "JPEG"));
    const QString source = dir.filePath(u"Dunlin.jpg"_s);
    QVERIFY(picture.save(source, "JPEG"));

    ImportOptions options;
    options.personalRoot = root;
    options.primary = true;
    options.dryRun = true;
    QString log;
    QTextStream out(&log);
    bool asked = false;
    Importer importer(options, out, [&](const QString&) { return asked = true; });
    QCOMPARE(importer.run({SourceFile{source}}), 0);
    QVERIFY(!asked);
    QCOMPARE(QDir(root + u"/姿"_s).entryList(QDir::Files), QStringList{u"b60.jpg"_s});
    QVERIFY2(log.contains(u"would import"_s) && log.contains(u"would replace"_s), qPrintable(log));
}

QTEST_GUILESS_MAIN(ImportTest)
#include "tst_import.moc"
