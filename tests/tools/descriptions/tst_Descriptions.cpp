#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "BirdTables.h"

#include <iconv.h>

using namespace Qt::StringLiterals;

namespace {

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

bool isKatakana(QChar c)
{
    // Letters and the long-vowel mark; the middle dot ・ separates words instead.
    return (c >= u'\u30A1' && c <= u'\u30FA') || c == u'\u30FC';
}

QStringList katakanaRuns(const QString& text)
{
    QStringList runs;
    QString run;
    for (const QChar c : text) {
        if (isKatakana(c)) {
            run += c;
        } else if (!run.isEmpty()) {
            runs += run;
            run.clear();
        }
    }
    if (!run.isEmpty())
        runs += run;
    return runs;
}

// Voiced and small kana written as their plain forms: ズグロ and スグロ, ジョウ and シヨウ fold
// alike, so a name spelled with a missing or extra mark still meets the board's spelling.
QString foldKana(const QString& word)
{
    static const QString small = u"ァィゥェォッャュョヮヵヶ"_s;
    static const QString large = u"アイウエオツヤユヨワカケ"_s;
    QString folded;
    for (const QChar c : word.normalized(QString::NormalizationForm_D)) {
        if (c == u'\u3099' || c == u'\u309A')
            continue;
        const auto at = small.indexOf(c);
        folded += at < 0 ? c : large.at(at);
    }
    return folded;
}

void addBirdRows()
{
    QTest::addColumn<int>("bird");
    for (int bird = birds::FirstBird; bird <= birds::LastBird; ++bird)
        QTest::addRow("%d %s", bird, qPrintable(birds::nameOfBird(bird))) << bird;
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
    void boardBirdsAreSpelledAsOnTheBoard_data() { addBirdRows(); }
    void boardBirdsAreSpelledAsOnTheBoard();
    void noWordRunsOnAcrossALineEnd_data() { addBirdRows(); }
    void noWordRunsOnAcrossALineEnd();
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
    // The heading is the name as on the board, then a full-width space or the end of the line.
    QCOMPARE(textLines.first().section(u'\u3000', 0, 0), birds::nameOfBird(bird));
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

// A learner takes the spelling from the text as much as from the board: a bird of either board
// named in any text (ズグロカモメ in the ユリカモメ texts) is spelled the board's way.
void TestDescriptions::boardBirdsAreSpelledAsOnTheBoard()
{
    QFETCH(int, bird);
    for (const QString& word : katakanaRuns(sourceText(bird))) {
        for (int other = birds::FirstBird; other <= birds::LastBird; ++other) {
            const QString name = birds::nameOfBird(other);
            QVERIFY2(word == name || foldKana(word) != foldKana(name),
                     qPrintable(u"%1 is spelled %2 on the board"_s.arg(word, name)));
        }
    }
}

// The list shows the lines as written; a name or call cut at a line end reads as two words.
// Words of kana and kanji may part at many places, but two lines never meet inside a katakana word,
// and a call in 「」 is kept on one line.
void TestDescriptions::noWordRunsOnAcrossALineEnd()
{
    QFETCH(int, bird);
    const QStringList textLines = lines(sourceText(bird));
    for (qsizetype i = 0; i < textLines.size(); ++i) {
        const QString& line = textLines[i];
        QVERIFY2(line.count(u'「') == line.count(u'」') && line.indexOf(u'」') >= line.indexOf(u'「'),
                 qPrintable(u"a quotation crosses the end of line %1: %2"_s.arg(i + 1).arg(line)));
        if (i + 1 < textLines.size() && !line.isEmpty() && !textLines[i + 1].isEmpty())
            QVERIFY2(
                !isKatakana(line.back()) || !isKatakana(textLines[i + 1].front()),
                qPrintable(u"a word is cut after line %1: %2 / %3"_s.arg(i + 1).arg(line, textLines[i + 1])));
    }
}

void TestDescriptions::birdInBothSetsHasASeasonalText_data()
{
    QTest::addColumn<int>("summerBird");
    QTest::addColumn<int>("winterBird");
    for (int summer = birds::FirstBird; summer <= birds::BoardSize; ++summer)
        for (int winter = birds::BoardSize + 1; winter <= birds::LastBird; ++winter)
            if (birds::nameOfBird(summer) == birds::nameOfBird(winter))
                QTest::addRow("%s", qPrintable(birds::nameOfBird(summer))) << summer << winter;
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
