#include "GifWriter.h"
#include "HostileFiles.h"
#include "PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString MediaDir = QStringLiteral(PIYO_MEDIA_DIR);
const QStringList MediaSubdirectories = {u"姿"_s, u"声"_s, u"説明"_s};
// The summary of the bundled set as built: the first pictures, sounds and descriptions, and
// the further pictures beside some birds (the ducks' females, waders and raptors in flight),
// and the second call of every bird but the black-faced spoonbill.
const QString BundledSetClean =
    QStringLiteral("82 pictures, 82 sounds, 80 descriptions and 17 further pictures, "
                   "79 further calls beside them checked: no problems");

struct CheckRun
{
    int exitCode = -1;
    QStringList lines;
};

CheckRun runChecker(const QString& program, const QStringList& arguments, const QString& dataHome = {})
{
    QProcess checker;
    if (!dataHome.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, dataHome);
        checker.setProcessEnvironment(environment);
    }
    checker.start(program, arguments);
    if (!checker.waitForFinished(60000) || checker.exitStatus() != QProcess::NormalExit)
        return {};
    return {checker.exitCode(),
            QString::fromUtf8(checker.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray bundled(const QString& relativePath)
{
    return readFile(MediaDir + u'/' + relativePath);
}

// Half a second of a 1 kHz tone, peak at the given level.
QByteArray wav(int encoding, int sampleRate, double peakDbfs)
{
    QTemporaryDir scratch;
    const QByteArray path = QFile::encodeName(scratch.filePath(u"tone.wav"_s));
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | encoding;
    SNDFILE* file = sf_open(path.constData(), SFM_WRITE, &info);
    if (!file)
        return {};
    const double amplitude = std::pow(10.0, peakDbfs / 20);
    std::vector<float> samples(std::size_t(sampleRate / 2));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(amplitude * std::sin(2 * std::numbers::pi * 1000 * double(i) / sampleRate));
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return readFile(QFile::decodeName(path));
}

QByteArray gif(QSize size)
{
    QTemporaryDir scratch;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString path = scratch.filePath(u"picture.gif"_s);
    return writeGif87a(image, path) ? readFile(path) : QByteArray();
}

QByteArray png(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The checker as a user would run it, but with its address space limited: a
// decoder that believed a file's declared size fails the test here instead of
// taking the machine's memory. The sanitizers reserve terabytes of address
// space up front, so under them the limit is left out.
CheckRun runBounded(const QStringList& arguments)
{
#if defined(__SANITIZE_ADDRESS__)
    return runChecker(QStringLiteral(PIYO_CHECK_MEDIA), arguments);
#else
    return runChecker(u"prlimit"_s, QStringList{u"--as=%1"_s.arg(qint64{512} * 1024 * 1024), u"--"_s,
                                                QStringLiteral(PIYO_CHECK_MEDIA)} +
                                        arguments);
#endif
}

QByteArray randomBytes(int count)
{
    QRandomGenerator random(932);
    QByteArray bytes(count, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// A byte code page 932 never uses, at the start of line 2.
QByteArray withInvalidByte(QByteArray text)
{
    return text.insert(text.indexOf("\r\n") + 2, '\x80');
}

} // namespace

class TestCheckMedia : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void namesThePlantedFault_data();
    void namesThePlantedFault();
    void cleanup();
    void personalFolderComesFirst_data();
    void personalFolderComesFirst();
    void bundledSetIsFoundThroughALink();
    void missingDirectoryIsAUsageError();
    void hostileFileIsNamedWithinMemory_data();
    void hostileFileIsNamedWithinMemory();
    void controlCharactersInNamesAreEscaped();
    void furtherFilesAreCheckedWithTheirTags_data();
    void furtherFilesAreCheckedWithTheirTags();

private:
    QTemporaryDir m_media;
    QString m_planted;
};

void TestCheckMedia::initTestCase()
{
    QVERIFY(m_media.isValid());
    for (const QString& subdirectory : MediaSubdirectories) {
        const QDir from(MediaDir + u'/' + subdirectory);
        QVERIFY2(QDir(m_media.path()).mkdir(subdirectory), qPrintable(subdirectory));
        for (const QString& name : from.entryList(QDir::Files))
            QVERIFY(QFile::copy(from.filePath(name), m_media.filePath(subdirectory + u'/' + name)));
    }
    const CheckRun clean = runChecker(QStringLiteral(PIYO_CHECK_MEDIA), {m_media.path()});
    QCOMPARE(clean.lines, QStringList{BundledSetClean});
}

void TestCheckMedia::namesThePlantedFault_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("finding"); // how its line starts; empty: no line at all
    QTest::addColumn<int>("exitCode");

    auto plant = [](const char* row, const QString& file, const QByteArray& content, const QString& finding,
                    int exitCode) { QTest::newRow(row) << file << false << content << finding << exitCode; };

    QTest::newRow("call missing") << u"声/k12.wav"_s << true << QByteArray()
                                  << u"声/k12.wav (12 オバシギ): missing"_s << 1;
    plant("call cut in half", u"声/k12.wav"_s,
          bundled(u"声/k12.wav"_s).chopped(bundled(u"声/k12.wav"_s).size() / 2),
          u"声/k12.wav (12 オバシギ): the player cannot play it: truncated"_s, 1);
    plant("ADPCM call", u"声/k1.wav"_s, wav(SF_FORMAT_IMA_ADPCM, 22050, -6),
          u"声/k1.wav (1 アオサギ): the player cannot play it: unsupported encoding IMA ADPCM"_s, 1);
    plant("96 kHz call", u"声/k1.wav"_s, wav(SF_FORMAT_PCM_16, 96000, -6),
          u"声/k1.wav (1 アオサギ): warning: an unusual WAV format: 16-bit PCM, mono, 96000 Hz"_s, 0);
    plant("call at -60 dBFS", u"声/o.wav"_s, wav(SF_FORMAT_PCM_16, 44100, -60),
          u"声/o.wav (right-answer sound): silent"_s, 1);
    // A quiet recording is still a recording.
    plant("call at -40 dBFS", u"声/o.wav"_s, wav(SF_FORMAT_PCM_16, 44100, -40), QString(), 0);
    plant("byte 0x80 in a description", u"説明/s3.txt"_s, withInvalidByte(bundled(u"説明/s3.txt"_s)),
          u"説明/s3.txt (3 コアジサシ): not valid code page 932: byte 0x80 at line 2, column 1"_s, 1);
    // Kana in UTF-8 happen to be valid code page 932, as other kanji.
    plant("description in UTF-8", u"説明/s80.txt"_s, u"ヨシガモ\r\nカモ科\r\n"_s.toUtf8(),
          u"説明/s80.txt (80 ヨシガモ): UTF-8 text, not code page 932"_s, 1);
    plant("description with LF line ends", u"説明/s3.txt"_s, bundled(u"説明/s3.txt"_s).replace("\r\n", "\n"),
          u"説明/s3.txt (3 コアジサシ): warning: LF-only line ends"_s, 0);
    plant("empty description", u"説明/s3.txt"_s, QByteArray(""),
          u"説明/s3.txt (3 コアジサシ): warning: empty"_s, 0);
    plant("PNG under a .gif name", u"姿/b41.gif"_s, png({240, 300}),
          u"姿/b41.gif (41 ジョウビタキ): warning: PNG data under a .gif name"_s, 0);
    plant("random bytes under a .gif name", u"姿/b41.gif"_s, randomBytes(3000),
          u"姿/b41.gif (41 ジョウビタキ): not a picture the program can decode"_s, 1);
    plant("GIF cut in half", u"姿/maru.gif"_s,
          bundled(u"姿/maru.gif"_s).chopped(bundled(u"姿/maru.gif"_s).size() / 2),
          u"姿/maru.gif (right-answer picture): damaged or truncated GIF data"_s, 1);
    plant("GIF one pixel over the size limit", u"姿/b41.gif"_s, gif({MaxPictureSide + 1, 8}),
          u"姿/b41.gif (41 ジョウビタキ): too large: %1 × 8 pixels"_s.arg(MaxPictureSide + 1), 1);
    plant("GIF wider than the panel", u"姿/b41.gif"_s, gif({400, 300}),
          u"姿/b41.gif (41 ジョウビタキ): warning: 400 × 300 pixels does not fit"_s, 0);
}

// Every fault is named on a line of its own, with nothing else found.
void TestCheckMedia::namesThePlantedFault()
{
    QFETCH(QString, file);
    QFETCH(bool, removed);
    QFETCH(QByteArray, content);
    QFETCH(QString, finding);
    QFETCH(int, exitCode);

    m_planted = file;
    QFile planted(m_media.filePath(file));
    if (removed) {
        QVERIFY(planted.remove());
    } else {
        QVERIFY(!content.isNull());
        QVERIFY(planted.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(planted.write(content), content.size());
        planted.close();
    }

    const CheckRun run = runChecker(QStringLiteral(PIYO_CHECK_MEDIA), {m_media.path()});
    const QStringList findings = run.lines.mid(0, run.lines.size() - 1);
    if (finding.isEmpty())
        QCOMPARE(findings, QStringList());
    else
        QVERIFY2(findings.size() == 1 && findings.first().startsWith(finding),
                 qPrintable(run.lines.join(u'\n')));
    QCOMPARE(run.exitCode, exitCode);
}

void TestCheckMedia::cleanup()
{
    if (m_planted.isEmpty())
        return;
    QFile::remove(m_media.filePath(m_planted));
    QVERIFY(QFile::copy(MediaDir + u'/' + m_planted, m_media.filePath(m_planted)));
    m_planted.clear();
}

// The user's own files are checked in place of the bundled ones, and named
// with their full path; what stands in the way of one is named too.
void TestCheckMedia::personalFolderComesFirst_data()
{
    QTest::addColumn<QStringList>("files"); // under the own folder; "fifo:" makes a named pipe
    QTest::addColumn<QStringList>("lines"); // the findings; %own is the own folder
    QTest::addColumn<int>("exitCode");
    QTest::newRow("own PNG picture") << QStringList{u"姿/b41.png"_s}
                                     << QStringList{u"%own/姿/b41.png (41 ジョウビタキ): your own file"_s}
                                     << 0;
    QTest::newRow("own call under two names")
        << QStringList{u"声/k12.wav"_s, u"声/k12.mp3"_s}
        << QStringList{u"%own/声/k12.wav (12 オバシギ): your own file"_s,
                       u"%own/声/k12.mp3 (12 オバシギ): warning: not used: k12.wav comes first"_s}
        << 0;
    QTest::newRow("a pipe in the own folder")
        << QStringList{u"fifo:声/k12.flac"_s}
        << QStringList{u"%own/声/k12.flac (12 オバシギ): warning: not a regular file; passed over"_s} << 0;
    QTest::newRow("JPEG data under a .png name")
        << QStringList{u"jpeg:姿/b41.png"_s}
        << QStringList{u"%own/姿/b41.png (41 ジョウビタキ): your own file"_s,
                       u"%own/姿/b41.png (41 ジョウビタキ): warning: JPEG data under a .png name: the program shows it, other programs may not"_s}
        << 0;
}

void TestCheckMedia::personalFolderComesFirst()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QTemporaryDir home;
    const QString own = home.filePath(u"piyo"_s);
    for (QString file : files) {
        const QString kind = file.section(u':', 0, 0, QString::SectionSkipEmpty);
        if (file.contains(u':'))
            file = file.section(u':', 1);
        const QString path = own + u'/' + file;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            continue;
        }
        QByteArray bytes = bundled(u"声/k12.wav"_s);
        if (file.startsWith(u"姿/"_s)) {
            QImage image(200, 150, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, kind == u"jpeg"_s ? "JPEG" : "PNG");
        }
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    lines.replaceInStrings(u"%own"_s, own);
    const CheckRun run = runChecker(QStringLiteral(PIYO_CHECK_MEDIA), {m_media.path()}, home.path());
    QCOMPARE(run.lines.mid(0, run.lines.size() - 1), lines);
    const bool ownUsed = !lines.filter(u"your own file"_s).isEmpty();
    QCOMPARE(run.lines.last().endsWith(u"from "_s + own), ownUsed);
    QCOMPARE(run.exitCode, exitCode);
    const CheckRun alone =
        runChecker(QStringLiteral(PIYO_CHECK_MEDIA), {u"--no-personal"_s, m_media.path()}, home.path());
    QCOMPARE(alone.lines, QStringList{BundledSetClean});
}

// Installed, the checker is reached through a link in bin/; it still checks
// the media beside its real self, where the program finds them.
void TestCheckMedia::bundledSetIsFoundThroughALink()
{
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(u"piyo-check-media"_s);
    QVERIFY(QFile::link(QStringLiteral(PIYO_CHECK_MEDIA), link));
    const CheckRun run = runChecker(link, {});
    QCOMPARE(run.lines, QStringList{BundledSetClean});
    QCOMPARE(run.exitCode, 0);
}

void TestCheckMedia::missingDirectoryIsAUsageError()
{
    const CheckRun run = runChecker(QStringLiteral(PIYO_CHECK_MEDIA), {m_media.filePath(u"nowhere"_s)});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.lines, QStringList());
}

void TestCheckMedia::hostileFileIsNamedWithinMemory_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("finding"); // how the file's first line starts; empty: no line

    QTest::newRow("sparse WAV: 256 MB, 1024 channels, 384 kHz")
        << u"声/k1.wav"_s << u"wav 256"_s << u"声/k1.wav (1 アオサギ): warning: an unusual WAV format"_s;
    QTest::newRow("JPEG claiming 20000 × 20000")
        << u"姿/b1.jpg"_s << u"jpeg bomb"_s << u"姿/b1.jpg (1 アオサギ): too large: 20000 × 20000"_s;
    QTest::newRow("JPEG cut short") << u"姿/b1.jpg"_s << u"jpeg cut"_s
                                    << u"姿/b1.jpg (1 アオサギ): truncated JPEG data"_s;
    // What piyo-import makes: twice the panel, marked so, and shown fitted.
    QTest::newRow("picture kept at twice the size") << u"姿/b1.png"_s << u"twice"_s << QString();
}

void TestCheckMedia::hostileFileIsNamedWithinMemory()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, finding);
    QTemporaryDir dir;
    for (const QString& subdirectory : MediaSubdirectories)
        QVERIFY(QDir(dir.path()).mkdir(subdirectory));
    const QString path = dir.filePath(file);
    QImage photo(1200, 900, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPEG");
    if (kind.startsWith(u"wav"_s)) {
        QVERIFY(hostile::sparseWav(path, 1024, 384000, kind.mid(4).toLongLong() * 1024 * 1024));
    } else {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        if (kind == u"jpeg bomb"_s) {
            const qsizetype sof = jpeg.indexOf("\xFF\xC0");
            QVERIFY(sof > 0);
            for (int at : {5, 7}) { // height, then width
                jpeg[sof + at] = char(20000 >> 8);
                jpeg[sof + at + 1] = char(20000 & 0xFF);
            }
            out.write(jpeg);
        } else if (kind == u"jpeg cut"_s) {
            out.write(jpeg.left(jpeg.size() * 2 / 3));
        } else {
            QImage twice(596, 447, QImage::Format_RGB32);
            twice.fill(Qt::darkGreen);
            twice.setText(PictureScaleKey, u"2"_s);
            twice.save(&out, "PNG");
        }
    }

    const CheckRun run = runBounded({u"--no-personal"_s, dir.path()});
    QVERIFY2(run.exitCode == 1, qPrintable(run.lines.join(u'\n'))); // the other files are missing
    QStringList lines;
    for (const QString& line : run.lines)
        if (line.startsWith(file))
            lines << line;
    if (finding.isEmpty())
        QVERIFY2(lines.isEmpty(), qPrintable(lines.join(u'\n')));
    else
        QVERIFY2(!lines.isEmpty() && lines.first().startsWith(finding), qPrintable(lines.join(u'\n')));
}

// A name in the user's folder can hold a newline or an escape sequence: printed
// raw it would fake a line of the report or clear the terminal.
void TestCheckMedia::controlCharactersInNamesAreEscaped()
{
    QTemporaryDir home;
    const QString dataHome = home.filePath(u"data\n2 problems\x1b[2J"_s);
    QVERIFY(QDir().mkpath(dataHome + u"/piyo/声"_s));
    QVERIFY(QFile::copy(m_media.filePath(u"声/k5.wav"_s), dataHome + u"/piyo/声/k5.wav"_s));
    QProcess checker;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, dataHome);
    checker.setProcessEnvironment(environment);
    checker.start(QStringLiteral(PIYO_CHECK_MEDIA), {m_media.path()});
    QVERIFY(checker.waitForFinished(60000));
    const QByteArray output = checker.readAllStandardOutput();
    QVERIFY2(!output.contains('\x1b'), output.constData());
    QVERIFY2(output.contains("data\\n2 problems\\x1b[2J/piyo/"), output.constData());
    QCOMPARE(output.count('\n'), 2); // the file from the user's folder, and the summary
}

// A bird's further pictures and calls are checked like its first, where they exist; a tags
// file the program cannot read is a warning, for the file is used all the same.
void TestCheckMedia::furtherFilesAreCheckedWithTheirTags_data()
{
    QTest::addColumn<QStringList>("files"); // under the own folder; "fifo:" a named pipe, "short:" 4 bytes
    QTest::addColumn<QString>("tagsFile");  // a tags file written with the bytes of "tags"
    QTest::addColumn<QByteArray>("tags");
    QTest::addColumn<QStringList>("lines"); // how the findings start; %own is the own folder
    QTest::addColumn<QString>("further");   // what the summary says of them, beside the bundled ones
    // The bundled set has a second call for every bird but 79: an own one for 79 is one more.
    QTest::addColumn<int>("exitCode");
    QTest::newRow("a second picture and a third call, tagged")
        << QStringList{u"姿/b41-2.png"_s, u"声/k12-3.wav"_s} << u"声/k12-3.tags"_s << "flight\n"_ba
        << QStringList{u"%own/姿/b41-2.png (41 ジョウビタキ, picture 2): your own file"_s,
                       u"%own/声/k12-3.wav (12 オバシギ, call 3): your own file"_s}
        << u"further pictures, 80 further calls beside them"_s << 0;
    QTest::newRow("a broken further call is a problem")
        << QStringList{u"short:声/k79-2.wav"_s} << QString() << QByteArray()
        << QStringList{u"%own/声/k79-2.wav (79 クロツラヘラサギ, call 2): your own file"_s,
                       u"%own/声/k79-2.wav (79 クロツラヘラサギ, call 2): the player cannot play it"_s}
        << u"further pictures, 80 further calls beside them"_s << 1;
    QTest::newRow("a pipe under a further name")
        << QStringList{u"fifo:声/k79-2.flac"_s} << QString() << QByteArray()
        << QStringList{u"%own/声/k79-2.flac (79 クロツラヘラサギ, call 2): not a regular file"_s}
        << u"further pictures, 80 further calls beside them"_s << 1;
    QTest::newRow("tags not in UTF-8")
        << QStringList{u"声/k79-2.wav"_s} << u"声/k79-2.tags"_s << "\x92\x6e\x96\xc2\n"_ba
        << QStringList{u"%own/声/k79-2.wav (79 クロツラヘラサギ, call 2): your own file"_s,
                       u"%own/声/k79-2.tags (79 クロツラヘラサギ, call 2): warning: no tags read"_s}
        << u"further pictures, 80 further calls beside them"_s << 0;
    QTest::newRow("a pipe for a tags file")
        << QStringList{u"声/k79-2.wav"_s, u"fifo:声/k79-2.tags"_s} << QString() << QByteArray()
        << QStringList{u"%own/声/k79-2.wav (79 クロツラヘラサギ, call 2): your own file"_s,
                       u"%own/声/k79-2.tags (79 クロツラヘラサギ, call 2): warning: tags not read (not a regular file)"_s}
        << u"further pictures, 80 further calls beside them"_s << 0;
}

void TestCheckMedia::furtherFilesAreCheckedWithTheirTags()
{
    QFETCH(QStringList, files);
    QFETCH(QString, tagsFile);
    QFETCH(QByteArray, tags);
    QFETCH(QStringList, lines);
    QFETCH(QString, further);
    QFETCH(int, exitCode);
    QTemporaryDir home;
    const QString own = home.filePath(u"piyo"_s);
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    for (const QString& entry : files) {
        const QString kind = entry.contains(u':') ? entry.section(u':', 0, 0) : QString();
        const QString path = own + u'/' + entry.section(u':', -1);
        if (kind == u"fifo"_s) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QVERIFY(write(path, kind == u"short"_s         ? "RIFF"_ba
                                : path.contains(u"/姿/"_s) ? png({200, 150})
                                                           : bundled(u"声/k12.wav"_s)));
        }
    }
    if (!tagsFile.isEmpty())
        QVERIFY(write(own + u'/' + tagsFile, tags));
    const CheckRun run = runChecker(QStringLiteral(PIYO_CHECK_MEDIA), {m_media.path()}, home.path());
    QVERIFY(!run.lines.isEmpty());
    const QStringList findings = run.lines.mid(0, run.lines.size() - 1);
    QVERIFY2(findings.size() == lines.size(), qPrintable(run.lines.join(u'\n')));
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(findings.at(i).startsWith(QString(lines.at(i)).replace(u"%own"_s, own)),
                 qPrintable(run.lines.join(u'\n')));
    QVERIFY2(run.lines.last().contains(further), qPrintable(run.lines.last()));
    QCOMPARE(run.exitCode, exitCode);
}

QTEST_GUILESS_MAIN(TestCheckMedia)
#include "tst_CheckMedia.moc"
