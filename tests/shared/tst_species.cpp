// The species table against every other place that names the birds: the boards, the
// README's table of bird numbers and the titles of the description texts.
#include "BirdSpecies.h"
#include "BirdTables.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool isKatakana(const QString& text)
{
    return !text.isEmpty() &&
           std::ranges::all_of(text, [](QChar c) { return c >= u'\u30A0' && c <= u'\u30FF'; });
}

} // namespace

class SpeciesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyBirdNumberIsOneSpecies();
    void namesAreWellFormedAndUnique();
    void boardsShowTheTableNames();
    void readmeTableAgrees_data();
    void readmeTableAgrees();
    void descriptionTitlesAgree_data();
    void descriptionTitlesAgree();
};

// A number missing or given twice would file a user's recording under the wrong bird.
void SpeciesTest::everyBirdNumberIsOneSpecies()
{
    QList<int> seen;
    for (const species::Species& s : species::all()) {
        QVERIFY(s.springSummer == 0 || (s.springSummer >= 1 && s.springSummer <= 40));
        QVERIFY(s.autumnWinter == 0 || (s.autumnWinter >= 41 && s.autumnWinter <= 80));
        QVERIFY(!species::birdNumbers(s).isEmpty());
        seen << species::birdNumbers(s);
    }
    std::ranges::sort(seen);
    QCOMPARE(seen.size(), 80);
    for (int bird = 1; bird <= 80; ++bird) {
        QCOMPARE(seen.at(bird - 1), bird);
        QVERIFY(species::birdNumbers(species::ofBird(bird)).contains(bird));
    }
}

void SpeciesTest::namesAreWellFormedAndUnique()
{
    static const QRegularExpression binomial(u"^[A-Z][a-z]+ [a-z]+$"_s);
    static const QRegularExpression english(u"^[A-Z][a-z']*([ -][A-Za-z][a-z']*)*$"_s);
    QSet<QString> japanese, scientific, inEnglish;
    for (const species::Species& s : species::all()) {
        const QString name = QString::fromUtf16(s.boardName);
        QVERIFY2(isKatakana(name), qPrintable(name));
        QVERIFY2(isKatakana(QString::fromUtf16(s.japaneseName)), qPrintable(name));
        QVERIFY2(binomial.match(QString::fromUtf16(s.scientificName)).hasMatch(), qPrintable(name));
        QVERIFY2(english.match(QString::fromUtf16(s.englishName)).hasMatch(), qPrintable(name));
        japanese << QString::fromUtf16(s.japaneseName);
        scientific << QString::fromUtf16(s.scientificName);
        inEnglish << QString::fromUtf16(s.englishName).toLower();
    }
    QCOMPARE(japanese.size(), int(species::all().size()));
    QCOMPARE(scientific.size(), int(species::all().size()));
    QCOMPARE(inEnglish.size(), int(species::all().size()));
}

void SpeciesTest::boardsShowTheTableNames()
{
    for (Season season : {Season::SpringSummer, Season::AutumnWinter})
        for (int position = 0; position < birds::BoardSize; ++position) {
            const int bird = birds::birdNumberAt(season, position);
            QCOMPARE(birds::nameAt(season, position), species::boardName(bird));
            QCOMPARE(birds::seasonOfBird(bird), season);
        }
}

void SpeciesTest::readmeTableAgrees_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bird");
    QFile readme(QStringLiteral(PIYO_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    // | 位置 | 春夏 | 番号 | 秋冬 | 番号 |
    static const QRegularExpression row(u"^\\| *(\\d+) \\| (\\S+) \\| (\\d+) \\| (\\S+) \\| (\\d+) \\|$"_s);
    int rows = 0;
    for (const QString& line : QString::fromUtf8(readme.readAll()).split(u'\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        ++rows;
        QTest::addRow("%s %s", qPrintable(m.captured(1)), qPrintable(m.captured(2)))
            << m.captured(2) << m.captured(3).toInt();
        QTest::addRow("%s %s", qPrintable(m.captured(1)), qPrintable(m.captured(4)))
            << m.captured(4) << m.captured(5).toInt();
    }
    QCOMPARE(rows, 40);
}

void SpeciesTest::readmeTableAgrees()
{
    QFETCH(QString, name);
    QFETCH(int, bird);
    QCOMPARE(name, species::boardName(bird));
}

void SpeciesTest::descriptionTitlesAgree_data()
{
    QTest::addColumn<int>("bird");
    for (int bird = 1; bird <= 80; ++bird)
        QTest::addRow("s%d %s", bird, qPrintable(species::boardName(bird))) << bird;
}

// The first line of a description is the bird's name, an ideographic space and its length.
void SpeciesTest::descriptionTitlesAgree()
{
    QFETCH(int, bird);
    QFile text(QStringLiteral(PIYO_SOURCE_DIR "/tools/descriptions/text/s%1.txt").arg(bird));
    QVERIFY(text.open(QIODevice::ReadOnly));
    const QString title = QString::fromUtf8(text.readLine()).trimmed().section(u'\u3000', 0, 0);
    QCOMPARE(title, species::boardName(bird));
}

QTEST_GUILESS_MAIN(SpeciesTest)
#include "tst_species.moc"
