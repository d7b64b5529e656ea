#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <iconv.h>

using namespace Qt::StringLiterals;

namespace {

// Bird number → name, as on the two name boards (1–40 spring/summer, 41–80 autumn/winter).
const char16_t* const birdNames[] = {u"アオサギ",
                                     u"アオアシシギ",
                                     u"コアジサシ",
                                     u"カワウ",
                                     u"ダイサギ",
                                     u"カイツブリ",
                                     u"アカエリヒレアシシギ",
                                     u"ホウロクシギ",
                                     u"チュウシャクシギ",
                                     u"コサギ",
                                     u"トウネン",
                                     u"オバシギ",
                                     u"オオソリハシシギ",
                                     u"ケリ",
                                     u"メダイチドリ",
                                     u"シロチドリ",
                                     u"イソシギ",
                                     u"ツバメ",
                                     u"ソリハシシギ",
                                     u"キアシシギ",
                                     u"ツルシギ",
                                     u"ダイゼン",
                                     u"キョウジョシギ",
                                     u"オオルリ",
                                     u"メボソムシクイ",
                                     u"シジュウカラ",
                                     u"ヒバリ",
                                     u"ハクセキレイ",
                                     u"ムクドリ",
                                     u"カワラヒワ",
                                     u"セッカ",
                                     u"モズ",
                                     u"ホオジロ",
                                     u"ハシボソガラス",
                                     u"ハシブトガラス",
                                     u"ホトトギス",
                                     u"キビタキ",
                                     u"ユリカモメ",
                                     u"アジサシ",
                                     u"カンムリカイツブリ",
                                     u"ジョウビタキ",
                                     u"オオジュリン",
                                     u"メジロ",
                                     u"ヤマガラ",
                                     u"エナガ",
                                     u"ツグミ",
                                     u"ハクセキレイ",
                                     u"キョウジョシギ",
                                     u"オバシギ",
                                     u"オグロシギ",
                                     u"オオソリハシシギ",
                                     u"カワウ",
                                     u"ハジロカイツブリ",
                                     u"カイツブリ",
                                     u"カンムリカイツブリ",
                                     u"ダイシャクシギ",
                                     u"ユリカモメ",
                                     u"スグロカモメ",
                                     u"カモメ",
                                     u"ハマシギ",
                                     u"ウミネコ",
                                     u"シロチドリ",
                                     u"ダイゼン",
                                     u"オオセグロカモメ",
                                     u"メダイチドリ",
                                     u"コガモ",
                                     u"キンクロハジロ",
                                     u"スズガモ",
                                     u"オナガガモ",
                                     u"オカヨシガモ",
                                     u"トモエガモ",
                                     u"カルガモ",
                                     u"マガモ",
                                     u"ハヤブサ",
                                     u"チョウゲンボウ",
                                     u"ミサゴ",
                                     u"トビ",
                                     u"チュウヒ",
                                     u"クロツラヘラサギ",
                                     u"ヨシガモ"};
constexpr int birdCount = int(std::size(birdNames));

// Inner width of the description list, less a little for its frame.
constexpr int listTextWidth = 270;

QString fileName(int bird)
{
    return u"s%1.txt"_s.arg(bird);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString sourceText(int bird)
{
    return QString::fromUtf8(readFile(QStringLiteral(PIYO_DESCRIPTION_TEXTS) + u'/' + fileName(bird)));
}

QStringList lines(const QString& text)
{
    QStringList result = text.split(u'\n');
    if (result.last().isEmpty())
        result.removeLast();
    return result;
}

// Decoded with glibc's CP932 table, the one the converter writes with.
QString fromCp932(const QByteArray& bytes)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 3 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const bool ok = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != std::size_t(-1);
    iconv_close(converter);
    return ok ? QString::fromUtf8(out.data(), outPtr - out.data()) : u"<not code page 932>"_s;
}

struct Run
{
    int exitCode = -1;
    QString errors;
};

Run convert(const QString& sourceDir, const QString& targetDir)
{
    QProcess tool;
    tool.start(QStringLiteral(PIYO_DESCRIPTIONS_TOOL), {sourceDir, targetDir});
    if (!tool.waitForFinished(30000))
        return {};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardError())};
}

void addBirdRows()
{
    QTest::addColumn<int>("bird");
    for (int bird = 1; bird <= birdCount; ++bird)
        QTest::addRow("%d %s", bird, qPrintable(QString::fromUtf16(birdNames[bird - 1]))) << bird;
}

} // namespace

class TestDescriptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textDescribesItsBird_data() { addBirdRows(); }
    void textDescribesItsBird();
    void everyLineFitsTheList_data() { addBirdRows(); }
    void everyLineFitsTheList();
    void birdInBothSetsHasASeasonalText_data();
    void birdInBothSetsHasASeasonalText();
    void convertedFileReadsBackUnchanged_data() { addBirdRows(); }
    void convertedFileReadsBackUnchanged();
    void writesCodePage932WithCrLf_data();
    void writesCodePage932WithCrLf();
    void refusesWhatCodePage932CannotHold_data();
    void refusesWhatCodePage932CannotHold();

private:
    QTemporaryDir m_converted;
    QFont m_listFont;
};

void TestDescriptions::initTestCase()
{
    m_listFont = QFont(u"IPAMincho"_s);
    m_listFont.setPixelSize(15);
    QVERIFY2(QFontInfo(m_listFont).family() == u"IPAMincho"_s,
             "the IPA Mincho font (fonts-ipafont) is missing");

    QVERIFY(m_converted.isValid());
    const Run run = convert(QStringLiteral(PIYO_DESCRIPTION_TEXTS), m_converted.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
}

// A swapped or truncated file shows the wrong bird or an empty viewer.
void TestDescriptions::textDescribesItsBird()
{
    QFETCH(int, bird);
    const QString text = sourceText(bird);
    const QStringList textLines = lines(text);
    QVERIFY2(textLines.size() >= 5 && textLines.size() <= 12,
             qPrintable(u"%1 lines"_s.arg(textLines.size())));
    QVERIFY2(textLines.first().startsWith(QString::fromUtf16(birdNames[bird - 1])),
             qPrintable(textLines.first()));
    QVERIFY(text.contains(u"全長"_s));
    const QStringList statuses = {u"夏鳥"_s, u"冬鳥"_s, u"旅鳥"_s, u"留鳥"_s, u"漂鳥"_s};
    QVERIFY(std::ranges::any_of(statuses, [&](const QString& status) { return text.contains(status); }));
}

// The list neither wraps nor scrolls sideways: a wider line is cut off at its edge.
void TestDescriptions::everyLineFitsTheList()
{
    QFETCH(int, bird);
    const QFontMetrics metrics(m_listFont);
    for (const QString& line : lines(sourceText(bird))) {
        const int width = metrics.horizontalAdvance(line);
        QVERIFY2(width <= listTextWidth, qPrintable(u"%1 px: %2"_s.arg(width).arg(line)));
    }
}

void TestDescriptions::birdInBothSetsHasASeasonalText_data()
{
    QTest::addColumn<int>("summerBird");
    QTest::addColumn<int>("winterBird");
    for (int summer = 1; summer <= 40; ++summer)
        for (int winter = 41; winter <= birdCount; ++winter)
            if (QString::fromUtf16(birdNames[summer - 1]) == QString::fromUtf16(birdNames[winter - 1]))
                QTest::addRow("%s", qPrintable(QString::fromUtf16(birdNames[summer - 1])))
                    << summer << winter;
}

// The autumn/winter board shows winter plumage; a copied summer text would describe the wrong bird.
void TestDescriptions::birdInBothSetsHasASeasonalText()
{
    QFETCH(int, summerBird);
    QFETCH(int, winterBird);
    QVERIFY(sourceText(summerBird) != sourceText(winterBird));
    QVERIFY(sourceText(winterBird).contains(u"冬"_s));
}

void TestDescriptions::convertedFileReadsBackUnchanged()
{
    QFETCH(int, bird);
    const QByteArray bytes = readFile(m_converted.filePath(fileName(bird)));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QString expected = sourceText(bird);
    if (!expected.endsWith(u'\n'))
        expected += u'\n';
    QCOMPARE(fromCp932(bytes), expected.replace(u"\n"_s, u"\r\n"_s));
}

void TestDescriptions::writesCodePage932WithCrLf_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("LF becomes CR LF") << "a\nb\n"_ba
                                      << "a\r\nb\r\n"_ba;
    QTest::newRow("last line end added") << "a\nb"_ba
                                         << "a\r\nb\r\n"_ba;
    QTest::newRow("CR LF stays CR LF") << "a\r\nb\r\n"_ba
                                       << "a\r\nb\r\n"_ba;
    QTest::newRow("empty line kept") << "a\n\nb\n"_ba
                                     << "a\r\n\r\nb\r\n"_ba;
    QTest::newRow("byte order mark dropped") << "\xEF\xBB\xBF"
                                                "a\n"_ba
                                             << "a\r\n"_ba;
    QTest::newRow("kana") << u"ピヨ\n"_s.toUtf8() << "\x83\x73\x83\x88\r\n"_ba;
    QTest::newRow("backslash stays 0x5C") << "C:\\x\n"_ba
                                          << "C:\\x\r\n"_ba;
    QTest::newRow("fullwidth tilde 0x8160") << u"～\n"_s.toUtf8() << "\x81\x60\r\n"_ba;
    QTest::newRow("circled one 0x8740") << u"①\n"_s.toUtf8() << "\x87\x40\r\n"_ba;
}

void TestDescriptions::writesCodePage932WithCrLf()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"text"_s));
    QFile file(dir.filePath(u"text/s1.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(source) == source.size());
    file.close();
    const Run run = convert(dir.filePath(u"text"_s), dir.filePath(u"out"_s));
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QCOMPARE(readFile(dir.filePath(u"out/s1.txt"_s)), written);
}

void TestDescriptions::refusesWhatCodePage932CannotHold_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("place");
    QTest::newRow("emoji") << u"ok\n😀\n"_s.toUtf8() << u"s1.txt:2:1:"_s;
    // iconv writes 〜 as the code of ～, so the file would show a different character.
    QTest::newRow("wave dash U+301C") << u"a\nb\n波〜\n"_s.toUtf8() << u"s1.txt:3:2:"_s;
    QTest::newRow("not UTF-8") << "\xFF\n"_ba << u"s1.txt:1:1:"_s;
}

// The build stops and names the place rather than shipping a wrong or missing character.
void TestDescriptions::refusesWhatCodePage932CannotHold()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, place);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"text"_s));
    QFile file(dir.filePath(u"text/s1.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(source) == source.size());
    file.close();
    const Run run = convert(dir.filePath(u"text"_s), dir.filePath(u"out"_s));
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.errors.contains(place), qPrintable(run.errors));
    QVERIFY(!QFile::exists(dir.filePath(u"out/s1.txt"_s)));
}

QTEST_MAIN(TestDescriptions)
#include "tst_Descriptions.moc"
