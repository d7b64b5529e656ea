#include "BirdShow.h"
#include "MediaPaths.h"
#include "PictureLoader.h"
#include "SoundFile.h"
#include "TestMedia.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Makes a file, or a named pipe when the name is marked "fifo:", under root.
bool plant(const QString& root, QString relativePath)
{
    const bool fifo = relativePath.startsWith(u"fifo:"_s);
    if (fifo)
        relativePath.remove(0, 5);
    const QString path = root + u'/' + relativePath;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    if (fifo)
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

// A JPEG of a picture whose left half is red and right half blue, with an
// Exif orientation tag as a camera writes it (1 = upright, 6 = turn right...).
QByteArray orientedJpeg(QSize size, quint16 orientation)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);

    // APP1 "Exif": a big-endian TIFF header and one IFD holding only the orientation.
    QByteArray exif("Exif\0\0MM\0\x2a\0\0\0\x08", 14);
    exif += QByteArray("\0\x01", 2);                   // one entry
    exif += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8); // orientation, SHORT, count 1
    exif += char(orientation >> 8);
    exif += char(orientation & 0xff);
    exif += QByteArray("\0\0\0\0\0\0", 6); // padding, no next IFD
    QByteArray segment("\xff\xe1", 2);
    const int length = int(exif.size()) + 2;
    segment += char(length >> 8);
    segment += char(length & 0xff);
    segment += exif;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

bool writeTone(const QString& path, double seconds)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(testmedia::toneWav(440, seconds, 44100)) > 0;
}

// A 440 Hz tone made into the format its name says by sox; empty when that failed.
QString soxTone(const QTemporaryDir& dir, const QString& name, double seconds)
{
    const QString in = dir.filePath(u"tone.wav"_s);
    const QString out = dir.filePath(name);
    if (!writeTone(in, seconds) || QProcess::execute(u"sox"_s, {in, out}) != 0)
        return {};
    return out;
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qBlue(pixel) < 60;
}

// How often the decoded signal crosses zero per second, halved: the pitch of a pure tone.
double toneFrequency(const SoundFile& sound)
{
    const std::vector<float>& samples = sound.samples();
    const int channels = sound.channels();
    const qint64 frames = sound.decodedFrames();
    // The middle half: encoders ramp in and pad at the ends.
    const qint64 first = frames / 4;
    const qint64 last = frames * 3 / 4;
    int crossings = 0;
    for (qint64 i = first + 1; i < last; ++i)
        if ((samples[std::size_t(i * channels)] >= 0) != (samples[std::size_t((i - 1) * channels)] >= 0))
            ++crossings;
    return crossings / 2.0 / (double(last - first) / sound.sampleRate());
}

} // namespace

class MediaFormatsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The user's own folder is a temporary one: a test never reads the real home.
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path()));
        QCOMPARE(media::personalRoot(), m_home.filePath(u"piyo"_s));
    }

    // For bird 5 the program takes the first of b5.gif, .jpg, .jpeg, .png,
    // .webp (k5.wav, .flac, .ogg, .opus, .mp3) that is a regular file.
    void lookupTakesTheFirstNameInOrder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        const int picture = int(media::BirdFile::Picture);
        const int call = int(media::BirdFile::Call);
        const int description = int(media::BirdFile::Description);
        QTest::newRow("traditional GIF") << picture << QStringList{u"姿/b5.gif"_s} << u"姿/b5.gif"_s;
        QTest::newRow("GIF before PNG")
            << picture << QStringList{u"姿/b5.png"_s, u"姿/b5.gif"_s} << u"姿/b5.gif"_s;
        QTest::newRow("jpg before jpeg")
            << picture << QStringList{u"姿/b5.jpeg"_s, u"姿/b5.jpg"_s} << u"姿/b5.jpg"_s;
        QTest::newRow("jpeg before png and webp")
            << picture << QStringList{u"姿/b5.webp"_s, u"姿/b5.png"_s, u"姿/b5.jpeg"_s} << u"姿/b5.jpeg"_s;
        QTest::newRow("WebP alone") << picture << QStringList{u"姿/b5.webp"_s} << u"姿/b5.webp"_s;
        QTest::newRow("another bird's picture is not taken")
            << picture << QStringList{u"姿/b50.png"_s, u"姿/b15.png"_s} << QString();
        QTest::newRow("traditional WAV")
            << call << QStringList{u"声/k5.wav"_s, u"声/k5.mp3"_s} << u"声/k5.wav"_s;
        QTest::newRow("FLAC before Ogg")
            << call << QStringList{u"声/k5.ogg"_s, u"声/k5.flac"_s} << u"声/k5.flac"_s;
        QTest::newRow("Ogg before Opus")
            << call << QStringList{u"声/k5.opus"_s, u"声/k5.ogg"_s} << u"声/k5.ogg"_s;
        QTest::newRow("Opus before MP3")
            << call << QStringList{u"声/k5.mp3"_s, u"声/k5.opus"_s} << u"声/k5.opus"_s;
        QTest::newRow("MP3 alone") << call << QStringList{u"声/k5.mp3"_s} << u"声/k5.mp3"_s;
        QTest::newRow("a pipe is passed over for the next name")
            << call << QStringList{u"fifo:声/k5.wav"_s, u"声/k5.mp3"_s} << u"声/k5.mp3"_s;
        QTest::newRow("a directory is passed over")
            << picture << QStringList{u"姿/b5.gif/x"_s, u"姿/b5.png"_s} << u"姿/b5.png"_s;
        QTest::newRow("a pipe alone is no file") << call << QStringList{u"fifo:声/k5.flac"_s} << QString();
        QTest::newRow("upper-case extension is not looked for")
            << picture << QStringList{u"姿/b5.JPG"_s} << QString();
        QTest::newRow("description") << description << QStringList{u"説明/s5.txt"_s} << u"説明/s5.txt"_s;
    }
    void lookupTakesTheFirstNameInOrder()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir bundled;
        for (const QString& file : files)
            QVERIFY(plant(bundled.path(), file));
        const QString expected = found.isEmpty() ? QString() : bundled.path() + u'/' + found;
        QCOMPARE(media::findBirdFile({bundled.path()}, media::BirdFile(kind), u"5"_s), expected);
    }

    void feedbackFilesTakeTheEverydayFormatsToo()
    {
        QTemporaryDir bundled;
        QVERIFY(plant(bundled.path(), u"声/x.flac"_s));
        QVERIFY(plant(bundled.path(), u"姿/maru.png"_s));
        QCOMPARE(media::findFeedbackFile({bundled.path()}, media::FeedbackFile::WrongSound),
                 bundled.filePath(u"声/x.flac"_s));
        QCOMPARE(media::findFeedbackFile({bundled.path()}, media::FeedbackFile::RightPicture),
                 bundled.filePath(u"姿/maru.png"_s));
        QCOMPARE(media::findFeedbackFile({bundled.path()}, media::FeedbackFile::RightSound), QString());
    }

    // A pipe under one of the new names must not make the worker wait for a
    // writer: the bird is shown without picture and call. Hangs without the fix.
    void aPipeUnderANewNameIsRefused()
    {
        QTemporaryDir bundled;
        QVERIFY(plant(bundled.path(), u"fifo:姿/b5.webp"_s));
        QVERIFY(plant(bundled.path(), u"fifo:声/k5.opus"_s));
        const presentation::BirdMedia bird = presentation::readBirdMedia(bundled.path(), u"5"_s);
        QVERIFY(bird.picture.isNull());
        QVERIFY(bird.call.isEmpty());
        // Even named directly, the readers refuse it.
        QVERIFY(readPicture(bundled.filePath(u"姿/b5.webp"_s)).isNull());
        QString why;
        QVERIFY(!SoundFile::read(bundled.filePath(u"声/k5.opus"_s), &why));
        QCOMPARE(why, u"not a regular file"_s);
    }

    void everydayPictureFormatsDecode_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("extension");
        QTest::newRow("JPEG") << QByteArray("jpeg") << u"jpg"_s;
        QTest::newRow("PNG") << QByteArray("png") << u"png"_s;
        QTest::newRow("WebP") << QByteArray("webp") << u"webp"_s;
    }
    void everydayPictureFormatsDecode()
    {
        QFETCH(QByteArray, format);
        QFETCH(QString, extension);
        if (!QImageWriter::supportedImageFormats().contains(format))
            QSKIP("no Qt image plugin for this format (qt6-image-formats-plugins)");
        QTemporaryDir bundled;
        QDir().mkpath(bundled.filePath(u"姿"_s));
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(QColor(30, 160, 90));
        QVERIFY(image.save(bundled.filePath(u"姿/b7."_s + extension), format.constData(), 90));
        const presentation::BirdMedia bird = presentation::readBirdMedia(bundled.path(), u"7"_s);
        QCOMPARE(bird.picture.size(), QSize(300, 200));
        const QColor centre = bird.picture.pixelColor(150, 100);
        QVERIFY2(qAbs(centre.green() - 160) < 8 && qAbs(centre.red() - 30) < 8, qPrintable(centre.name()));
    }

    // Cameras store a photograph as the sensor saw it and say in a tag how to
    // turn it; a portrait shown on its side is the fault this guards against.
    void jpegOrientationTagIsHonoured_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<QPoint>("redPoint");
        QTest::addColumn<QPoint>("bluePoint");
        QTest::newRow("upright") << 1 << QSize(80, 40) << QPoint(10, 20) << QPoint(70, 20);
        QTest::newRow("upside down") << 3 << QSize(80, 40) << QPoint(70, 20) << QPoint(10, 20);
        QTest::newRow("turned right") << 6 << QSize(40, 80) << QPoint(20, 10) << QPoint(20, 70);
        QTest::newRow("turned left") << 8 << QSize(40, 80) << QPoint(20, 70) << QPoint(20, 10);
    }
    void jpegOrientationTagIsHonoured()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, shown);
        QFETCH(QPoint, redPoint);
        QFETCH(QPoint, bluePoint);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"b1.jpg"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(orientedJpeg(QSize(80, 40), quint16(orientation)));
        file.close();
        const QImage picture = readPicture(file.fileName());
        QCOMPARE(picture.size(), shown);
        QVERIFY(isRed(picture.pixel(redPoint)));
        QVERIFY(!isRed(picture.pixel(bluePoint)));
    }

    // Pictures up to 4096 pixels a side, a camera's size, are shown; more is refused.
    void pictureSizeCap_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("shown");
        QTest::newRow("camera photograph 4000 × 3000") << QSize(4000, 3000) << true;
        QTest::newRow("at the cap") << QSize(4096, 16) << true;
        QTest::newRow("one over the cap") << QSize(16, 4097) << false;
    }
    void pictureSizeCap()
    {
        QFETCH(QSize, size);
        QFETCH(bool, shown);
        QTemporaryDir dir;
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = dir.filePath(u"b1.jpg"_s);
        QVERIFY(image.save(path, "JPEG"));
        const QImage picture = readPicture(path);
        QCOMPARE(!picture.isNull(), shown);
        if (shown)
            QCOMPARE(picture.size(), size);
    }

    // Recordings as they come from a recorder or a sound archive. The files
    // are made from a 440 Hz tone with the encoders Debian has.
    void everydaySoundFormatsDecode_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments"); // %in, %out replaced
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("format");
        QTest::newRow("FLAC") << u"sox"_s << QStringList{u"%in"_s, u"%out"_s} << u"flac"_s << u"FLAC"_s;
        QTest::newRow("Ogg Vorbis") << u"sox"_s << QStringList{u"%in"_s, u"%out"_s} << u"ogg"_s
                                    << u"Ogg Vorbis"_s;
        QTest::newRow("Opus") << u"opusenc"_s << QStringList{u"--quiet"_s, u"%in"_s, u"%out"_s} << u"opus"_s
                              << u"Ogg Opus"_s;
        QTest::newRow("MP3") << u"lame"_s << QStringList{u"--quiet"_s, u"%in"_s, u"%out"_s} << u"mp3"_s
                             << u"MP3"_s;
        QTest::newRow("MP3 with a title tag, as archives name them")
            << u"lame"_s
            << QStringList{u"--quiet"_s,     u"--tt"_s, u"XC123456 - Grey Plover - Pluvialis squatarola"_s,
                           u"--add-id3v2"_s, u"%in"_s,  u"%out"_s}
            << u"mp3"_s << u"MP3"_s;
    }
    void everydaySoundFormatsDecode()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(QString, extension);
        QFETCH(QString, format);
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + u" is not installed"_s));
        QTemporaryDir bundled;
        QDir().mkpath(bundled.filePath(u"声"_s));
        const QString in = bundled.filePath(u"tone.wav"_s);
        const QString out = bundled.filePath(u"声/k9."_s + extension);
        QVERIFY(writeTone(in, 2.0));
        arguments.replaceInStrings(u"%in"_s, in);
        arguments.replaceInStrings(u"%out"_s, out);
        QProcess encoder;
        encoder.start(tool, arguments);
        QVERIFY(encoder.waitForFinished(30000));
        QVERIFY2(encoder.exitCode() == 0, encoder.readAllStandardError().constData());

        // The program finds it and the player decodes it.
        QCOMPARE(presentation::readBirdMedia(bundled.path(), u"9"_s).call, out);
        QString why;
        const std::optional<SoundFile> sound = SoundFile::read(out, &why);
        QVERIFY2(sound, qPrintable(why));
        QCOMPARE(sound->format(), format);
        QVERIFY2(qAbs(sound->durationSeconds() - 2.0) < 0.1,
                 qPrintable(QString::number(sound->durationSeconds())));
        QVERIFY2(qAbs(toneFrequency(*sound) - 440.0) < 5.0,
                 qPrintable(QString::number(toneFrequency(*sound))));
    }

    // A FLAC file cut short (an interrupted download) plays as far as it goes.
    void aCompressedFileCutShortPlaysWhatIsThere()
    {
        if (QStandardPaths::findExecutable(u"sox"_s).isEmpty())
            QSKIP("sox is not installed");
        QTemporaryDir dir;
        const QString out = soxTone(dir, u"k1.flac"_s, 4.0);
        QVERIFY(!out.isEmpty());
        QFile flac(out);
        QVERIFY(flac.open(QIODevice::ReadWrite));
        QVERIFY(flac.resize(flac.size() / 2));
        flac.close();
        QString why;
        const std::optional<SoundFile> sound = SoundFile::read(out, &why);
        QVERIFY2(sound, qPrintable(why));
        QVERIFY(sound->durationSeconds() > 1.0 && sound->durationSeconds() < 3.0);
        QCOMPARE(sound->decodedFrames(), sound->fileFrames());
    }

    // A compressed file whose header is whole but whose data is noise must be
    // refused by the check the player makes first, not pass it and then give
    // nothing to play.
    void aCompressedFileWithNoiseForDataFailsTheCheck()
    {
        if (QStandardPaths::findExecutable(u"sox"_s).isEmpty())
            QSKIP("sox is not installed");
        QTemporaryDir dir;
        const QString out = soxTone(dir, u"k1.flac"_s, 1.0);
        QVERIFY(!out.isEmpty());
        QFile flac(out);
        QVERIFY(flac.open(QIODevice::ReadWrite));
        const QByteArray header = flac.read(8192).left(200);
        QByteArray noise(int(flac.size()) - 200, Qt::Uninitialized);
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        flac.seek(0);
        flac.write(header + noise);
        flac.close();
        const std::optional<SoundFile> checked = SoundFile::read(out, nullptr, 0);
        const std::optional<SoundFile> decoded = SoundFile::read(out);
        QCOMPARE(checked.has_value(), decoded.has_value());
    }

    // A container libsndfile knows but the program does not offer is refused
    // with its name, not played half right.
    void otherSoundContainersAreRefused()
    {
        if (QStandardPaths::findExecutable(u"sox"_s).isEmpty())
            QSKIP("sox is not installed");
        QTemporaryDir dir;
        const QString out = soxTone(dir, u"k1.aiff"_s, 0.5);
        QVERIFY(!out.isEmpty());
        QString why;
        QVERIFY(!SoundFile::read(out, &why));
        QVERIFY2(why.contains(u"AIFF"_s), qPrintable(why));
    }

    // A file of the user's takes the place of the bundled one of the same
    // bird, whatever the formats; the bundled set fills every gap.
    void personalFilesComeBeforeBundledOnes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("personal");
        QTest::addColumn<QStringList>("bundled");
        QTest::addColumn<QString>("found"); // "personal:..." or "bundled:..."
        const int picture = int(media::BirdFile::Picture);
        const int call = int(media::BirdFile::Call);
        const int description = int(media::BirdFile::Description);
        QTest::newRow("own MP3 over the bundled WAV")
            << call << QStringList{u"声/k5.mp3"_s} << QStringList{u"声/k5.wav"_s} << u"personal:声/k5.mp3"_s;
        QTest::newRow("own JPEG over the bundled GIF")
            << picture << QStringList{u"姿/b5.jpg"_s} << QStringList{u"姿/b5.gif"_s}
            << u"personal:姿/b5.jpg"_s;
        QTest::newRow("no own file: the bundled one")
            << call << QStringList{u"声/k6.wav"_s} << QStringList{u"声/k5.wav"_s} << u"bundled:声/k5.wav"_s;
        QTest::newRow("own picture does not hide the bundled call")
            << call << QStringList{u"姿/b5.jpg"_s} << QStringList{u"声/k5.wav"_s} << u"bundled:声/k5.wav"_s;
        QTest::newRow("an own pipe is passed over") << call << QStringList{u"fifo:声/k5.flac"_s}
                                                    << QStringList{u"声/k5.wav"_s} << u"bundled:声/k5.wav"_s;
        QTest::newRow("own description") << description << QStringList{u"説明/s5.txt"_s}
                                         << QStringList{u"説明/s5.txt"_s} << u"personal:説明/s5.txt"_s;
        QTest::newRow("nothing anywhere") << picture << QStringList() << QStringList() << QString();
    }
    void personalFilesComeBeforeBundledOnes()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, personal);
        QFETCH(QStringList, bundled);
        QFETCH(QString, found);
        QTemporaryDir bundledRoot;
        const QString personalRoot = media::personalRoot();
        QDir(personalRoot).removeRecursively();
        for (const QString& file : personal)
            QVERIFY(plant(personalRoot, file));
        for (const QString& file : bundled)
            QVERIFY(plant(bundledRoot.path(), file));
        QString expected = found;
        expected.replace(u"personal:"_s, personalRoot + u'/');
        expected.replace(u"bundled:"_s, bundledRoot.path() + u'/');
        QCOMPARE(media::findBirdFile(media::mediaRoots(bundledRoot.path()), media::BirdFile(kind), u"5"_s),
                 expected);
        QDir(personalRoot).removeRecursively();
    }

    // The quiz's marks and sounds follow the same rule.
    void personalFeedbackFilesComeFirst()
    {
        QTemporaryDir bundledRoot;
        const QString personalRoot = media::personalRoot();
        QVERIFY(plant(bundledRoot.path(), u"声/o.wav"_s));
        QVERIFY(plant(bundledRoot.path(), u"声/x.wav"_s));
        QVERIFY(plant(personalRoot, u"声/x.ogg"_s));
        QImage mark(30, 20, QImage::Format_RGB32);
        mark.fill(Qt::red);
        QVERIFY(QDir().mkpath(personalRoot + u"/姿"_s));
        QVERIFY(mark.save(personalRoot + u"/姿/maru.png"_s));
        const presentation::FeedbackMedia feedback = presentation::readFeedbackMedia(bundledRoot.path());
        QCOMPARE(feedback.rightPicture.size(), QSize(30, 20));
        QVERIFY(feedback.wrongPicture.isNull());
        QCOMPARE(feedback.rightSound, bundledRoot.filePath(u"声/o.wav"_s));
        QCOMPARE(feedback.wrongSound, personalRoot + u"/声/x.ogg"_s);
        QDir(personalRoot).removeRecursively();
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(MediaFormatsTest)
#include "tst_mediaformats.moc"
