// piyo-import against files and folders that try to do harm: what the user keeps is the
// earlier file still in use, nothing outside their folder touched, and memory within bounds.
#include "HostileFiles.h"
#include "Importer.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>
#include <sys/stat.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int status = -1; // -1: killed or did not finish
    QString out;
    QString err;
};

struct Limits
{
    qint64 memoryKb = 512 * 1024; // the most address space the run may take
    qint64 fileBlocks = -1;       // the largest file it may write, in KB; -1: any
};

// piyo-import run as a user runs it, under a limit on its address space: a decoder that
// believed a file's declared size fails the test instead of taking the machine's memory.
// A file-size limit stands in for a full disk: the write fails with EFBIG, not a signal.
// The sanitizers reserve terabytes of address space up front; under them memory is free.
Run runImport(const QStringList& arguments, const QString& dataHome, const Limits& limits = {},
              const QString& workingDirectory = {}, const QString& home = {})
{
    QString script = u"trap '' XFSZ; "_s;
#if !defined(__SANITIZE_ADDRESS__)
    script += u"ulimit -v %1; "_s.arg(limits.memoryKb);
#endif
    if (limits.fileBlocks >= 0)
        script += u"ulimit -f %1; "_s.arg(limits.fileBlocks);
    script += u"exec \"$0\" \"$@\""_s;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, dataHome);
    if (!home.isEmpty())
        environment.insert(u"HOME"_s, home);
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(u"sh"_s, QStringList{u"-c"_s, script, QStringLiteral(PIYO_IMPORT)} + arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray hashOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

QByteArray jpeg(QSize size, bool progressive, bool noise = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    if (noise)
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (y * 53) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// A small JPEG whose frame header claims another size: a few KB that would decode into gigabytes.
QByteArray jpegClaiming(int side, bool progressive)
{
    QByteArray bytes = jpeg({64, 64}, progressive);
    const qsizetype sof = bytes.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
    if (sof < 0)
        return {};
    for (int at : {5, 7}) { // height, then width
        bytes[sof + at] = char(side >> 8);
        bytes[sof + at + 1] = char(side & 0xFF);
    }
    return bytes;
}

bool toneWav(const QString& path, double seconds)
{
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> samples(std::size_t(seconds * 48000));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.5 * std::sin(2 * M_PI * 2000 * double(i) / 48000));
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    return sf_close(file) == 0;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class ImportHostileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostileFileIsRefusedWithinMemory_data();
    void hostileFileIsRefusedWithinMemory();
    void failedReplaceKeepsTheEarlierFile_data();
    void failedReplaceKeepsTheEarlierFile();
    void linksInTheUserFolderAreNeverWrittenThrough_data();
    void linksInTheUserFolderAreNeverWrittenThrough();
    void linkInsideAFolderIsNotFollowed();
    void numbersOnTheCommandLineAreChecked_data();
    void numbersOnTheCommandLineAreChecked();
    void usageErrorIsOneLine();
    void seasonTakesPlumageWords();
    void seasonAgainstThePlumageSaysSo();
    void twoFilesForOneBirdInOneRun();
    void relativeDataHomeIsIgnored();
    void controlCharactersInNamesAreEscaped();
};

void ImportHostileTest::hostileFileIsRefusedWithinMemory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("progressive JPEG claiming 20000 × 20000")
        << u"ダイゼン.jpg"_s << u"progressive 20000"_s << u"20000 × 20000 pixels"_s;
    QTest::newRow("baseline JPEG claiming 60000 × 60000")
        << u"ダイゼン.jpg"_s << u"baseline 60000"_s << u"60000 × 60000 pixels"_s;
    QTest::newRow("baseline JPEG cut short") << u"ダイゼン.jpg"_s << u"cut"_s << u"cut short"_s;
    QTest::newRow("sparse WAV: 256 MB, 1024 channels, 384 kHz")
        << u"ダイゼン.wav"_s << u"wav 256"_s << u"silent"_s;
    QTest::newRow("sparse WAV: 2 GB, 1024 channels, 384 kHz")
        << u"ダイゼン.wav"_s << u"wav 2048"_s << u"silent"_s;
    QTest::newRow("100 MB description") << u"ダイゼン.txt"_s << u"text 100"_s << u"too long"_s;
    QTest::newRow("3 GB description") << u"ダイゼン.txt"_s << u"text 3072"_s << u"too long"_s;
}

void ImportHostileTest::hostileFileIsRefusedWithinMemory()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString source = dir.filePath(name);
    const qint64 megabytes = kind.section(u' ', 1).toLongLong();
    if (kind.startsWith(u"progressive"_s) || kind.startsWith(u"baseline"_s)) {
        QVERIFY(writeFile(source, jpegClaiming(int(megabytes), kind.startsWith(u"progressive"_s))));
    } else if (kind == u"cut"_s) {
        const QByteArray whole = jpeg({640, 480}, false, true);
        QVERIFY(writeFile(source, whole.left(whole.size() * 2 / 3)));
    } else if (kind.startsWith(u"wav"_s)) {
        QVERIFY(hostile::sparseWav(source, 1024, 384000, megabytes * 1024 * 1024));
    } else {
        QFile text(source);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.resize(megabytes * 1024 * 1024));
    }

    const QString dataHome = dir.filePath(u"data"_s);
    const Run run = runImport({source}, dataHome);
    QVERIFY2(run.status == 1, qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(u"left alone: "_s) && run.out.contains(message), qPrintable(run.out));
    for (const QString& folder : {u"姿"_s, u"声"_s, u"説明"_s})
        QCOMPARE(entries(dataHome + u"/piyo/"_s + folder), QStringList());
}

void ImportHostileTest::failedReplaceKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("earlier");
    QTest::newRow("picture") << u"Dunlin.jpg"_s << u"姿/b60.jpg"_s;
    QTest::newRow("call") << u"Dunlin.wav"_s << u"声/k60.wav"_s;
    QTest::newRow("description") << u"Dunlin.txt"_s << u"説明/s60.txt"_s;
}

// The disk fills up while the new file is written: the earlier file stays in use, as it was,
// and nothing half-written is left beside it.
void ImportHostileTest::failedReplaceKeepsTheEarlierFile()
{
    QFETCH(QString, source);
    QFETCH(QString, earlier);
    QTemporaryDir dir;
    const QString root = dir.filePath(u"data/piyo"_s);
    const QString folder = root + u'/' + earlier.section(u'/', 0, 0);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(root + u'/' + earlier, "the user's own earlier file"));
    const QByteArray before = hashOf(root + u'/' + earlier);
    const QString path = dir.filePath(source);
    if (source.endsWith(u".jpg"_s))
        QVERIFY(writeFile(path, jpeg({600, 400}, false, true)));
    else if (source.endsWith(u".wav"_s))
        QVERIFY(toneWav(path, 1.0));
    else
        QVERIFY(writeFile(path, QByteArray("A small sandpiper of mud flats.\n").repeated(100)));

    const Run run = runImport({u"--replace"_s, path}, dir.filePath(u"data"_s), Limits{512 * 1024, 1});
    QVERIFY2(run.status == 1, qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(u"failed: "_s), qPrintable(run.out));
    QCOMPARE(hashOf(root + u'/' + earlier), before);
    QCOMPARE(entries(folder), QStringList{earlier.section(u'/', 1)});
}

void ImportHostileTest::linksInTheUserFolderAreNeverWrittenThrough_data()
{
    QTest::addColumn<QString>("link");  // in the user's folder
    QTest::addColumn<bool>("toFolder"); // the link points to a folder outside
    QTest::addColumn<bool>("imported");
    QTest::newRow("a link named like a part file") << u"声/k60.wav.part"_s << false << true;
    QTest::newRow("the earlier call is a link") << u"声/k60.wav"_s << false << true;
    QTest::newRow("the calls folder is a link") << u"声"_s << true << false;
}

void ImportHostileTest::linksInTheUserFolderAreNeverWrittenThrough()
{
    QFETCH(QString, link);
    QFETCH(bool, toFolder);
    QFETCH(bool, imported);
    QTemporaryDir dir;
    const QString root = dir.filePath(u"piyo"_s);
    QVERIFY(QDir().mkpath(root + u"/声"_s));
    const QString outside = dir.filePath(u"outside"_s);
    QVERIFY(QDir().mkpath(outside));
    const QString outsideFile = outside + u"/private.wav"_s;
    QVERIFY(writeFile(outsideFile, "not the user's call"));
    const QByteArray before = hashOf(outsideFile);
    if (toFolder)
        QDir(root + u"/声"_s).removeRecursively();
    QVERIFY(QFile::link(toFolder ? outside : outsideFile, root + u'/' + link));
    const QString source = dir.filePath(u"Dunlin.wav"_s);
    QVERIFY(toneWav(source, 1.0));

    ImportOptions options;
    options.personalRoot = root;
    options.replace = true;
    QString log;
    QTextStream out(&log);
    Importer importer(options, out, [](const QString&) { return false; });
    QCOMPARE(importer.run({SourceFile{source}}), imported ? 0 : 1);
    QCOMPARE(hashOf(outsideFile), before);
    QCOMPARE(entries(outside), QStringList{u"private.wav"_s});
    const QFileInfo call(root + u"/声/k60.wav"_s);
    if (imported) {
        QVERIFY2(call.isFile() && !call.isSymLink(), qPrintable(log));
    } else {
        QVERIFY2(log.contains(u"not a folder but a link"_s), qPrintable(log));
    }
}

// A folder given to piyo-import may hold a link to a private file: it is left alone. A link
// named on the command line is the user's own choice, and is followed.
void ImportHostileTest::linkInsideAFolderIsNotFollowed()
{
    QTemporaryDir dir;
    const QString secret = dir.filePath(u"secret.txt"_s);
    QVERIFY(writeFile(secret, "my bank PIN\n"));
    QFile::setPermissions(secret, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(QDir().mkpath(dir.filePath(u"photos"_s)));
    const QString link = dir.filePath(u"photos/ダイゼン.txt"_s);
    QVERIFY(QFile::link(secret, link));

    ImportOptions options;
    options.personalRoot = dir.filePath(u"piyo"_s);
    QString log;
    QTextStream out(&log);
    Importer walking(options, out, [](const QString&) { return false; });
    QCOMPARE(walking.run(expandArguments({dir.filePath(u"photos"_s)})), 1);
    QVERIFY2(log.contains(u"symbolic link"_s), qPrintable(log));
    QCOMPARE(entries(options.personalRoot + u"/説明"_s), QStringList());

    Importer named(options, out, [](const QString&) { return false; });
    QCOMPARE(named.run(expandArguments({link})), 0);
    const QFileInfo copy(options.personalRoot + u"/説明/s22.txt"_s);
    QVERIFY(copy.isFile());
    // The copy gets the mode of the user's other new files, not the private source's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QCOMPARE(int(copy.permissions() & (QFile::ReadOther | QFile::ReadGroup)) != 0, (mask & 044) != 044);
}

void ImportHostileTest::numbersOnTheCommandLineAreChecked_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("--from inf") << QStringList{u"--from"_s, u"inf"_s} << 2 << u"number of seconds"_s;
    QTest::newRow("--from nan") << QStringList{u"--from"_s, u"nan"_s} << 2 << u"number of seconds"_s;
    QTest::newRow("--from -1") << QStringList{u"--from"_s, u"-1"_s} << 2 << u"number of seconds"_s;
    QTest::newRow("--to before --from")
        << QStringList{u"--from"_s, u"2"_s, u"--to"_s, u"1"_s} << 2 << u"--to must come after --from"_s;
    QTest::newRow("--from 1e300") << QStringList{u"--from"_s, u"1e300"_s} << 1 << u"not in the recording"_s;
    QTest::newRow("--to past the end") << QStringList{u"--to"_s, u"30"_s} << 1 << u"3.0 s long"_s;
    QTest::newRow("a stretch inside")
        << QStringList{u"--from"_s, u"1"_s, u"--to"_s, u"2.5"_s} << 0 << QString();
}

void ImportHostileTest::numbersOnTheCommandLineAreChecked()
{
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString source = dir.filePath(u"Dunlin.wav"_s);
    QVERIFY(toneWav(source, 3.0));
    const Run run = runImport(options << source, dir.filePath(u"data"_s));
    QVERIFY2(run.status == status, qPrintable(run.out + run.err));
    QVERIFY2((run.out + run.err).contains(message), qPrintable(run.out + run.err));
    if (status == 0) {
        // Beside the bundled calls, numbered after them.
        const QStringList made = QDir(dir.filePath(u"data/piyo/声"_s)).entryList({u"k60-*.wav"_s});
        QCOMPARE(made.size(), 1);
        SF_INFO info{};
        SNDFILE* file = sf_open(
            QFile::encodeName(dir.filePath(u"data/piyo/声/"_s + made.first())).constData(), SFM_READ, &info);
        QVERIFY(file);
        sf_close(file);
        QCOMPARE(info.frames, sf_count_t(2.5 * 48000)); // 1.5 s kept and a second of pause
    }
}

void ImportHostileTest::usageErrorIsOneLine()
{
    QTemporaryDir dir;
    const Run run = runImport({u"--season"_s, u"夏"_s, dir.filePath(u"x.jpg"_s)}, dir.filePath(u"data"_s));
    QCOMPARE(run.status, 2);
    QCOMPARE(run.err.count(u'\n'), 2); // the error, and where to read more
    QVERIFY(run.err.contains(u"--help"_s));
}

void ImportHostileTest::seasonTakesPlumageWords()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"ダイゼン.jpg"_s);
    QVERIFY(writeFile(source, jpeg({100, 80}, false)));
    const Run run = runImport({u"--season"_s, u"summer"_s, u"--dry-run"_s, source}, dir.filePath(u"data"_s));
    QVERIFY2(run.status == 0, qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(u"ダイゼン (22)"_s) && !run.out.contains(u"(63)"_s), qPrintable(run.out));
}

void ImportHostileTest::seasonAgainstThePlumageSaysSo()
{
    ImportOptions options;
    options.season = Season::SpringSummer;
    const Placement placement = place(u"ダイゼン 冬羽.jpg"_s, options);
    QVERIFY(placement.birds.isEmpty());
    QVERIFY2(placement.problem.contains(u"plumage"_s) && placement.problem.contains(u"秋冬"_s),
             qPrintable(placement.problem));
}

// Until a bird can hold several pictures, the one whose name says its plumage wins, the
// other is named, and nothing asks about a file the same run has just written.
void ImportHostileTest::twoFilesForOneBirdInOneRun()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(u"ダイゼン.jpg"_s);
    const QString winter = dir.filePath(u"ﾀﾞｲｾﾞﾝ（冬羽）.jpg"_s);
    QVERIFY(writeFile(plain, jpeg({100, 80}, false)));
    QVERIFY(writeFile(winter, jpeg({120, 80}, false)));
    const QString text = dir.filePath(u"ダイゼン.txt"_s);
    QVERIFY(writeFile(text, u"大形のチドリ\n"_s.toUtf8()));

    for (const bool dryRun : {true, false}) {
        ImportOptions options;
        options.personalRoot = dir.filePath(u"piyo"_s);
        options.dryRun = dryRun;
        QString log;
        QTextStream out(&log);
        bool asked = false;
        Importer importer(options, out, [&](const QString&) { return asked = true; });
        QCOMPARE(importer.run(expandArguments({dir.path()})), 0);
        QVERIFY(!asked);
        QVERIFY2(log.contains(u"ダイゼン.jpg: %1 is the picture of ダイゼン (63)"_s.arg(winter)),
                 qPrintable(log));
        if (dryRun)
            continue;
        QCOMPARE(QImage(options.personalRoot + u"/姿/b22.png"_s).width(), 100);
        QCOMPARE(QImage(options.personalRoot + u"/姿/b63.png"_s).width(), 120);
        importer.printSummary();
        QVERIFY2(log.contains(u"your own descriptions (1): ダイゼン"_s), qPrintable(log));
    }
}

// XDG: a relative $XDG_DATA_HOME is ignored; files never land under the current folder.
void ImportHostileTest::relativeDataHomeIsIgnored()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u"home"_s)) && QDir().mkpath(dir.filePath(u"work"_s)));
    const QString source = dir.filePath(u"Dunlin.jpg"_s);
    QVERIFY(writeFile(source, jpeg({100, 80}, false)));
    const Run run =
        runImport({source}, u"relative/dir"_s, {}, dir.filePath(u"work"_s), dir.filePath(u"home"_s));
    QVERIFY2(run.status == 0, qPrintable(run.out + run.err));
    QVERIFY(QFileInfo(dir.filePath(u"home/.local/share/piyo/姿/b60-2.png"_s)).isFile());
    QCOMPARE(entries(dir.filePath(u"work"_s)), QStringList());
}

void ImportHostileTest::controlCharactersInNamesAreEscaped()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u"in"_s)));
    QVERIFY(writeFile(dir.filePath(u"in/IMG\nall imported\x1b[2J.jpg"_s), jpeg({10, 10}, false)));
    ImportOptions options;
    options.personalRoot = dir.filePath(u"piyo"_s);
    QString log;
    QTextStream out(&log);
    Importer importer(options, out, [](const QString&) { return false; });
    QCOMPARE(importer.run(expandArguments({dir.filePath(u"in"_s)})), 1);
    QVERIFY2(!log.contains(u'\x1b') && log.count(u'\n') == 1, qPrintable(log));
    QVERIFY2(log.contains(u"IMG\\nall imported\\x1b[2J.jpg"_s), qPrintable(log));
}

QTEST_GUILESS_MAIN(ImportHostileTest)
#include "tst_import_hostile.moc"
