#include "DescriptionReader.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class DescriptionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linesEndAtCrLfOrLoneCr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("three lines ending in CR LF")
            << u"一\r\n二\r\n三\r\n"_s << QStringList{u"一"_s, u"二"_s, u"三"_s};
        QTest::newRow("empty line in the middle")
            << u"a\r\n\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::newRow("empty file") << QString() << QStringList();
        QTest::newRow("LF only stays in one line") << u"a\nb\nc\n"_s << QStringList{u"a\nb\nc\n"_s};
        QTest::newRow("lone CR ends a line") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("last line without an end") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("only a line end") << u"\r\n"_s << QStringList{QString()};
        QTest::newRow("CR CR LF") << u"a\r\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    }
    void linesEndAtCrLfOrLoneCr()
    {
        QFETCH(QString, text);
        QTEST(description::splitLines(text), "lines");
    }

    void decodesCodePage932_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("kana and kanji")
            << QByteArray("\x83\x41\x83\x49\x83\x54\x83\x4d\x91\x53\x92\xb7") << u"アオサギ全長"_s;
        QTest::newRow("circled one (NEC extension)") << QByteArray("\x87\x40") << u"①"_s;
        QTest::newRow("IBM extension kanji") << QByteArray("\xfa\x5c") << u"纊"_s;
        QTest::newRow("backslash stays a backslash") << QByteArray("a\\b") << u"a\\b"_s;
        QTest::newRow("wave dash is the full-width tilde") << QByteArray("\x81\x60") << u"～"_s;
        QTest::newRow("invalid byte is replaced, the rest kept")
            << QByteArray("\x83\x41\xa0\x83\x49") << u"ア\uFFFDオ"_s;
        QTest::newRow("dangling lead byte at the end") << QByteArray("\x83\x41\x83") << u"ア\uFFFD"_s;
        QTest::newRow("lead byte before a line end") << QByteArray("a\x83\r\nb") << u"a\uFFFD\r\nb"_s;
    }
    void decodesCodePage932()
    {
        QFETCH(QByteArray, bytes);
        QTEST(description::decodeCp932(bytes), "text");
    }

    void missingFileGivesNoLines()
    {
        QCOMPARE(description::read(u"/nonexistent/説明/s1.txt"_s), QStringList());
        QTemporaryDir dir;
        QCOMPARE(description::read(dir.path()), QStringList()); // a directory in its place
    }

    void runawayFileIsCut()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"s1.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 100000; ++i)
            file.write("\x83\x41\x83\x49\x83\x54\x83\x4d\r\n");
        file.close();
        const QStringList lines = description::read(file.fileName());
        QCOMPARE(lines.size(), description::MaxLines);
        QCOMPARE(lines.first(), u"アオサギ"_s);
    }

    void runawayLineIsCut()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"s1.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100000, 'a') + "\r\nb\r\n");
        file.close();
        const QStringList lines = description::read(file.fileName());
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.first().size(), description::MaxLineLength);
        QCOMPARE(lines.last(), u"b"_s);
    }
};

QTEST_GUILESS_MAIN(DescriptionTest)
#include "tst_description.moc"
