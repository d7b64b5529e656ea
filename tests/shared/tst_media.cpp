#include "BirdTables.h"
#include "DescriptionReader.h"
#include "MediaFile.h"
#include "MediaPaths.h"
#include "PictureLoader.h"
#include "SoundFile.h"
#include "TestMedia.h"

#include <QDir>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <set>

using namespace Qt::StringLiterals;

class MediaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dataRootDropsOnlyATrailingSeparator_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("root");
        QTest::newRow("folder on a drive") << u"E:\\bird"_s << QChar(u'\\') << u"E:\\bird"_s;
        QTest::newRow("root of a drive") << u"D:\\"_s << QChar(u'\\') << u"D:"_s;
        QTest::newRow("installed folder") << u"/usr/lib/piyo"_s << QChar(u'/') << u"/usr/lib/piyo"_s;
        QTest::newRow("root directory") << u"/"_s << QChar(u'/') << QString();
    }
    void dataRootDropsOnlyATrailingSeparator()
    {
        QFETCH(QString, directory);
        QFETCH(QChar, separator);
        QFETCH(QString, root);
        QCOMPARE(media::dataRootFrom(directory, separator), root);
    }

    void dataRootIsTheProgramsOwnDirectory()
    {
        QCOMPARE(media::dataRoot(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    }

    void pathsUnderAnyRoot_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<int>("bird");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("description");
        QTest::newRow("bird 2 under the root directory")
            << QString() << 2 << u"/姿/b2.gif"_s << u"/声/k2.wav"_s << u"/説明/s2.txt"_s;
        QTest::newRow("bird 7 has no leading zero") << u"/opt/piyo"_s << 7 << u"/opt/piyo/姿/b7.gif"_s
                                                    << u"/opt/piyo/声/k7.wav"_s << u"/opt/piyo/説明/s7.txt"_s;
        QTest::newRow("bird 61") << u"/m"_s << 61 << u"/m/姿/b61.gif"_s << u"/m/声/k61.wav"_s
                                 << u"/m/説明/s61.txt"_s;
    }
    void pathsUnderAnyRoot()
    {
        QFETCH(QString, root);
        QFETCH(int, bird);
        const QString text = media::birdNumberText(bird);
        QTEST(media::birdFilePath(root, media::BirdFile::Picture, text), "picture");
        QTEST(media::birdFilePath(root, media::BirdFile::Call, text), "call");
        QTEST(media::birdFilePath(root, media::BirdFile::Description, text), "description");
    }

    void feedbackFiles()
    {
        using enum media::FeedbackFile;
        QCOMPARE(media::feedbackFilePath(u"/m"_s, RightPicture), u"/m/姿/maru.gif"_s);
        QCOMPARE(media::feedbackFilePath(u"/m"_s, WrongPicture), u"/m/姿/batu.gif"_s);
        QCOMPARE(media::feedbackFilePath(u"/m"_s, RightSound), u"/m/声/o.wav"_s);
        QCOMPARE(media::feedbackFilePath(u"/m"_s, WrongSound), u"/m/声/x.wav"_s);
    }

    void boardPositionsNameTheRightFiles_data()
    {
        QTest::addColumn<Season>("season");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bird");
        QTest::newRow("春夏 first") << Season::SpringSummer << 0 << u"アオアシシギ"_s << 2;
        QTest::newRow("秋冬 last") << Season::AutumnWinter << 39 << u"ヨシガモ"_s << 80;
        QTest::newRow("オバシギ in 春夏") << Season::SpringSummer << 7 << u"オバシギ"_s << 12;
        QTest::newRow("オバシギ in 秋冬") << Season::AutumnWinter << 8 << u"オバシギ"_s << 49;
        QTest::newRow("ユリカモメ in 春夏") << Season::SpringSummer << 39 << u"ユリカモメ"_s << 38;
        QTest::newRow("ユリカモメ in 秋冬") << Season::AutumnWinter << 38 << u"ユリカモメ"_s << 57;
    }
    void boardPositionsNameTheRightFiles()
    {
        QFETCH(Season, season);
        QFETCH(int, position);
        QTEST(birds::nameAt(season, position), "name");
        QTEST(int(birds::birdNumberAt(season, position)), "bird");
        QTEST(int(birds::numberTable(season)[position + 1]), "bird");
    }

    // Each board must name each of its forty birds exactly once, or a bird's
    // files would never be shown.
    void eachBoardIsAPermutationOfItsBirds_data()
    {
        QTest::addColumn<Season>("season");
        QTest::addColumn<int>("first");
        QTest::newRow("春夏") << Season::SpringSummer << 1;
        QTest::newRow("秋冬") << Season::AutumnWinter << 41;
    }
    void eachBoardIsAPermutationOfItsBirds()
    {
        QFETCH(Season, season);
        QFETCH(int, first);
        std::set<int> numbers;
        for (int position = 0; position < birds::BoardSize; ++position)
            numbers.insert(birds::birdNumberAt(season, position));
        QCOMPARE(numbers.size(), std::size_t(40));
        QCOMPARE(*numbers.begin(), first);
        QCOMPARE(*numbers.rbegin(), first + 39);
    }

    void callFileCheck_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<bool>("playable");
        QTest::newRow("present") << u"file"_s << true;
        QTest::newRow("missing file") << u"none"_s << false;
        QTest::newRow("missing directory") << u"nodir"_s << false;
        QTest::newRow("directory in its place") << u"dir"_s << false;
    }
    void callFileCheck()
    {
        QFETCH(QString, prepare);
        testmedia::clear();
        const QString path = media::birdFilePath(testmedia::root(), media::BirdFile::Call, u"5"_s);
        if (prepare == u"file"_s)
            testmedia::writeCall(5);
        else if (prepare == u"none"_s)
            QDir().mkpath(QFileInfo(path).path());
        else if (prepare == u"dir"_s)
            QDir().mkpath(path);
        QTEST(media::callFileCheck(path), "playable");
        testmedia::clear();
    }

    // A pipe with no writer, a socket or a directory where a media file should
    // be: every reader treats it as missing and none of them waits. Without the
    // fix this test hangs on the pipe; CTest's timeout turns that into a failure.
    void readersRefuseWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << u"fifo"_s;
        QTest::newRow("socket") << u"socket"_s;
        QTest::newRow("directory") << u"dir"_s;
    }
    void readersRefuseWhatIsNotARegularFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"media"_s);
        const QByteArray native = QFile::encodeName(path);
        if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (kind == u"dir"_s) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QLocalServer server;
            QVERIFY(server.listen(path));
            checkRefused(path);
            return;
        }
        checkRefused(path);
    }

private:
    static void checkRefused(const QString& path)
    {
        QVERIFY(!media::callFileCheck(path));
        QVERIFY(readPicture(path).isNull());
        QCOMPARE(description::read(path), QStringList());
        QString why;
        QVERIFY(!SoundFile::read(path, &why));
        QCOMPARE(why, u"not a regular file"_s);
        QString openWhy;
        QCOMPARE(media::openRegularFile(path, &openWhy), -1);
        QCOMPARE(openWhy, u"not a regular file"_s);
    }
};

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
