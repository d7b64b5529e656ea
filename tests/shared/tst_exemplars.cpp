// Several pictures and calls of one bird: which files are found, in which order, whose
// they are, and what their tags say; a broken or hostile tags file gives no tags.
#include "BirdSpecies.h"
#include "Exemplars.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// "p:声/k22-2.flac" is a file in the user's folder, "b:..." one in the bundled media.
QString rootOf(const QString& entry, const QString& personal, const QString& bundled)
{
    return (entry.startsWith(u"p:"_s) ? personal : bundled) + u'/' + entry.mid(2);
}

// How a found exemplar reads in a table: "2 p k22-2.flac".
QString described(const media::Exemplar& exemplar)
{
    return u"%1 %2 %3"_s.arg(exemplar.index)
        .arg(exemplar.personal ? u"p"_s : u"b"_s)
        .arg(QFileInfo(exemplar.path).fileName());
}

} // namespace

class ExemplarsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesOfTheFurtherFiles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("first");
        QTest::newRow("the first picture is b22.gif")
            << int(media::BirdFile::Picture) << 1 << u"/m/姿/b22.gif"_s;
        QTest::newRow("the second picture") << int(media::BirdFile::Picture) << 2 << u"/m/姿/b22-2.gif"_s;
        QTest::newRow("the tenth call") << int(media::BirdFile::Call) << 10 << u"/m/声/k22-10.wav"_s;
        QTest::newRow("no eleventh") << int(media::BirdFile::Call) << 11 << QString();
        QTest::newRow("descriptions have no further ones")
            << int(media::BirdFile::Description) << 2 << QString();
    }
    void namesOfTheFurtherFiles()
    {
        QFETCH(int, kind);
        QFETCH(int, index);
        QFETCH(QString, first);
        const QStringList names =
            media::exemplarCandidates({u"/p"_s, u"/m"_s}, media::BirdFile(kind), u"22"_s, index);
        if (first.isEmpty()) {
            QVERIFY(names.isEmpty());
            return;
        }
        // The user's folder first, each root in every format.
        QCOMPARE(names.size(), 10);
        QCOMPARE(names.at(5), first);
        QVERIFY(names.at(0).startsWith(u"/p/"_s));
    }

    void lookupOrderAndPersonalOverride_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("bundled only, primary first")
            << QStringList{u"b:声/k22-3.wav"_s, u"b:声/k22.wav"_s, u"b:声/k22-2.wav"_s}
            << QStringList{u"1 b k22.wav"_s, u"2 b k22-2.wav"_s, u"3 b k22-3.wav"_s};
        QTest::newRow("a missing number leaves the rest")
            << QStringList{u"b:声/k22.wav"_s, u"b:声/k22-4.wav"_s}
            << QStringList{u"1 b k22.wav"_s, u"4 b k22-4.wav"_s};
        QTest::newRow("the user's file takes the place of the bundled one of its number")
            << QStringList{u"b:声/k22.wav"_s, u"b:声/k22-2.wav"_s, u"p:声/k22-2.flac"_s}
            << QStringList{u"1 b k22.wav"_s, u"2 p k22-2.flac"_s};
        QTest::newRow("the user's own further call beside the bundled first")
            << QStringList{u"b:声/k22.wav"_s, u"p:声/k22-3.mp3"_s}
            << QStringList{u"1 b k22.wav"_s, u"3 p k22-3.mp3"_s};
        QTest::newRow("the user's first overrides, whatever its format")
            << QStringList{u"b:声/k22.wav"_s, u"p:声/k22.ogg"_s} << QStringList{u"1 p k22.ogg"_s};
        QTest::newRow("formats in their order under one root")
            << QStringList{u"b:声/k22-2.mp3"_s, u"b:声/k22-2.flac"_s} << QStringList{u"2 b k22-2.flac"_s};
        QTest::newRow("no first, further ones still found")
            << QStringList{u"b:声/k22-2.wav"_s} << QStringList{u"2 b k22-2.wav"_s};
        QTest::newRow("other birds and other names are not its own")
            << QStringList{u"b:声/k2.wav"_s,     u"b:声/k222.wav"_s,  u"b:声/k22-02.wav"_s,
                           u"b:声/k22-11.wav"_s, u"b:声/k22_2.wav"_s, u"b:姿/b22-2.gif"_s}
            << QStringList{};
    }
    void lookupOrderAndPersonalOverride()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        const QString personal = dir.filePath(u"p"_s), bundled = dir.filePath(u"b"_s);
        for (const QString& file : files)
            QVERIFY(writeFile(rootOf(file, personal, bundled), "RIFF"));
        QStringList described_;
        for (const media::Exemplar& exemplar :
             media::findExemplars({personal, bundled}, media::BirdFile::Call, u"22"_s))
            described_ << described(exemplar);
        QCOMPARE(described_, found);
    }

    // A folder, a pipe or a link to a device under an exemplar's name is passed over, as for
    // the first file: the next format or the bundled one is used.
    void whatIsNotARegularFileIsPassedOver()
    {
        QTemporaryDir dir;
        const QString personal = dir.filePath(u"p"_s), bundled = dir.filePath(u"b"_s);
        QVERIFY(writeFile(bundled + u"/姿/b60-2.gif"_s, "GIF89a"));
        QVERIFY(QDir().mkpath(personal + u"/姿/b60-2.gif"_s));
        QVERIFY(::mkfifo(QFile::encodeName(personal + u"/姿/b60-3.png"_s).constData(), 0600) == 0);
        QVERIFY(QFile::link(u"/dev/zero"_s, personal + u"/姿/b60-4.jpg"_s));
        const QList<media::Exemplar> found =
            media::findExemplars({personal, bundled}, media::BirdFile::Picture, u"60"_s);
        QCOMPARE(found.size(), 1);
        QCOMPARE(described(found.first()), u"2 b b60-2.gif"_s);
    }

    void tagsFileBesideTheFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("credit");
        QTest::newRow("as piyo-import writes it")
            << "地鳴き 飛翔\ncredit: XC123456\n"_ba << QStringList{u"地鳴き"_s, u"飛翔"_s} << u"XC123456"_s;
        QTest::newRow("English words, commas, CRLF and a comment")
            << "# my own\r\nFemale, eclipse\r\n出典：山田太郎\r\n"_ba << QStringList{u"雌"_s, u"エクリプス"_s}
            << u"山田太郎"_s;
        QTest::newRow("listed in one order whatever order given")
            << "幼鳥、飛翔、夏羽"_ba << QStringList{u"飛翔"_s, u"夏羽"_s, u"幼鳥"_s} << QString();
        QTest::newRow("unknown words passed over")
            << "pretty bird 警戒 \xe3\x81\xbb\n"_ba << QStringList{u"警戒"_s} << QString();
        QTest::newRow("a byte-order mark")
            << "\xef\xbb\xbfsong\n"_ba << QStringList{u"さえずり"_s} << QString();
        QTest::newRow("only the first credit") << "credit: A\ncredit: B\n"_ba << QStringList{} << u"A"_s;
        QTest::newRow("not UTF-8: no tags")
            << "\x92\x6e\x96\xc2\x82\xab\ncredit: x\n"_ba << QStringList{} << QString();
        QTest::newRow("a NUL: no tags") << "song\0call"_ba << QStringList{} << QString();
        QTest::newRow("a credit cannot move the cursor")
            << "credit: XC1\x1b[2J\xe2\x80\xae\n"_ba << QStringList{} << u"XC1\\x1b[2J\\u202e"_s;
        QTest::newRow("a long credit is cut")
            << "credit: "_ba + QByteArray(500, 'a') << QStringList{} << QString(media::MaxCreditLength, u'a');
        QTest::newRow("empty") << QByteArray() << QStringList{} << QString();
        QTest::newRow("the written call is not a tag, whatever words it holds")
            << "地鳴き\n聞きなし: 「キッ」飛翔中に\n"_ba << QStringList{u"地鳴き"_s} << QString();
    }
    void tagsFileBesideTheFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, words);
        QFETCH(QString, credit);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"声/k22-2.wav"_s), "RIFF"));
        QVERIFY(writeFile(dir.filePath(u"声/k22-2.tags"_s), text));
        const QList<media::Exemplar> found =
            media::findExemplars({dir.path()}, media::BirdFile::Call, u"22"_s);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().tags.words, words);
        QCOMPARE(found.first().tags.credit, credit);
    }

    void writtenTagsReadBack()
    {
        const media::ExemplarTags tags{
            {u"さえずり"_s, u"雄"_s}, u"XC765 - Grey Plover"_s, u"「ジュリ ジュリ ジュリ」"_s};
        QCOMPARE(media::parseExemplarTags(media::formatExemplarTags(tags)), tags);
        QCOMPARE(media::parseExemplarTags("heard: kiki\n聞きなし：「キッ」 飛翔\n"_ba).heard, u"kiki"_s);
        QCOMPARE(media::parseExemplarTags("聞きなし：「キッ」 飛翔\x1b[2J\n"_ba).heard,
                 u"「キッ」 飛翔\\x1b[2J"_s);
    }

    // The tags come from the folder the file was found in: a bundled tags file does not
    // describe the user's recording that took its place.
    void tagsBelongToTheFileFound()
    {
        QTemporaryDir dir;
        const QString personal = dir.filePath(u"p"_s), bundled = dir.filePath(u"b"_s);
        QVERIFY(writeFile(bundled + u"/声/k8-2.wav"_s, "RIFF"));
        QVERIFY(writeFile(bundled + u"/声/k8-2.tags"_s, "飛翔\n"));
        QVERIFY(writeFile(personal + u"/声/k8-2.flac"_s, "fLaC"));
        QVERIFY(writeFile(personal + u"/声/k8-3.wav"_s, "RIFF"));
        QVERIFY(writeFile(personal + u"/声/k8-3.tags"_s, "song\n"));
        const QList<media::Exemplar> found =
            media::findExemplars({personal, bundled}, media::BirdFile::Call, u"8"_s);
        QCOMPARE(found.size(), 2);
        QVERIFY(found.at(0).tags.isEmpty());
        QCOMPARE(found.at(1).tags.words, QStringList{u"さえずり"_s});
    }

    void hostileTagsFilesGiveNoTags_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("a folder") << u"folder"_s;
        QTest::newRow("a pipe with no writer") << u"fifo"_s;
        QTest::newRow("a link to an endless device") << u"device"_s;
        QTest::newRow("larger than a tags file may be") << u"large"_s;
        QTest::newRow("a dangling link") << u"dangling"_s;
    }
    void hostileTagsFilesGiveNoTags()
    {
        QFETCH(QString, what);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"姿/b41-2.png"_s), "PNG"));
        const QString tags = dir.filePath(u"姿/b41-2.tags"_s);
        const QByteArray encoded = QFile::encodeName(tags);
        if (what == u"folder")
            QVERIFY(QDir().mkpath(tags));
        else if (what == u"fifo")
            QVERIFY(::mkfifo(encoded.constData(), 0600) == 0);
        else if (what == u"device")
            QVERIFY(QFile::link(u"/dev/zero"_s, tags));
        else if (what == u"dangling")
            QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), tags));
        else
            QVERIFY(writeFile(tags, "雌 "_ba.repeated(int(media::MaxTagsFileBytes))));
        const QList<media::Exemplar> found =
            media::findExemplars({dir.path()}, media::BirdFile::Picture, u"41"_s);
        QCOMPARE(found.size(), 1);
        QVERIFY(found.first().tags.isEmpty());
    }

    void tagsFromWordsInAName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("archive name with a song")
            << u"XC123456 - Grey Plover - Pluvialis squatarola song.mp3"_s << QStringList{u"さえずり"_s};
        QTest::newRow("a flight call is not also a call")
            << u"Dunlin flight call"_s << QStringList{u"飛翔"_s};
        QTest::newRow("an alarm call") << u"dunlin_alarm-call"_s << QStringList{u"警戒"_s};
        QTest::newRow("calls, plural") << u"Dunlin calls"_s << QStringList{u"地鳴き"_s};
        QTest::newRow("non-breeding is winter") << u"Dunlin non-breeding"_s << QStringList{u"冬羽"_s};
        QTest::newRow("breeding is summer") << u"Dunlin breeding"_s << QStringList{u"夏羽"_s};
        QTest::newRow("female is not male")
            << u"Teal female eclipse"_s << QStringList{u"雌"_s, u"エクリプス"_s};
        QTest::newRow("Japanese run together") << u"ダイゼン夏羽の雌"_s << QStringList{u"夏羽"_s, u"雌"_s};
        QTest::newRow("half-width katakana") << u"ﾀﾞｲｾﾞﾝ ｵｽ"_s << QStringList{u"雄"_s};
        QTest::newRow("juv. and in flight") << u"Knot juv. in flight"_s << QStringList{u"飛翔"_s, u"幼鳥"_s};
        QTest::newRow("さえずり and 地鳴き")
            << u"さえずりと地鳴き"_s << QStringList{u"さえずり"_s, u"地鳴き"_s};
        QTest::newRow("words inside words do not count") << u"recall callsign songbird"_s << QStringList{};
    }
    void tagsFromWordsInAName()
    {
        QFETCH(QString, name);
        QTEST(media::tagWordsIn(name), "words");
    }

    // A bird's own name never reads as a tag, or every file named after it would carry one.
    void noBirdsNameIsATag()
    {
        for (const species::Species& s : species::all()) {
            QStringList names{QString::fromUtf16(s.boardName), QString::fromUtf16(s.japaneseName),
                              QString::fromUtf16(s.scientificName), QString::fromUtf16(s.englishName)};
            names += species::otherNames(s);
            for (const QString& name : std::as_const(names))
                QVERIFY2(media::tagWordsIn(name).isEmpty(), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(ExemplarsTest)
#include "tst_exemplars.moc"
