#include "NameRecognizer.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Full-width and half-width katakana, full-width letters and digits all become their
// ordinary forms (ﾀﾞｲｾﾞﾝ → ダイゼン, Ｂ２２ → B22).
QString widthFolded(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC);
}

// Latin text as words: lower case, every run of other characters one space, and the
// American "gray" read as "grey", padded so a name matches whole words only.
QString latinWords(const QString& text)
{
    static const QRegularExpression notLetters(u"[^a-z]+"_s);
    QString words = widthFolded(text).toLower();
    // Saunders's Gull, Saunders' Gull and Saunders Gull are one name.
    words.replace(u"'s "_s, u" "_s);
    words.replace(notLetters, u" "_s);
    words.replace(u"gray"_s, u"grey"_s);
    return u' ' + words.simplified() + u' ';
}

struct Found
{
    const species::Species* species;
    qsizetype start;
    qsizetype length;
};

// Every place a name occurs, in the text as given.
void findAll(const QString& text, const QString& name, const species::Species& species, QList<Found>& found)
{
    if (name.trimmed().isEmpty())
        return;
    for (qsizetype at = text.indexOf(name); at >= 0; at = text.indexOf(name, at + 1))
        found.append({&species, at, name.size()});
}

// A name inside a longer name found at the same place is not a name of its own:
// カイツブリ in ハジロカイツブリ, Tern in Little Tern.
QList<const species::Species*> outermost(const QList<Found>& found)
{
    QList<const species::Species*> species;
    for (const Found& f : found) {
        const bool inside = std::ranges::any_of(found, [&](const Found& other) {
            return other.length > f.length && other.start <= f.start &&
                   other.start + other.length >= f.start + f.length;
        });
        if (!inside && !species.contains(f.species))
            species.append(f.species);
    }
    return species;
}

// Latin names with a hyphen may be written with a space or run together: "grey-tailed
// tattler", "grey tailed tattler", "greytailed tattler".
QStringList latinForms(const QString& name)
{
    const QString spaced = latinWords(name);
    QString joined = widthFolded(name).toLower();
    joined.replace(u"gray"_s, u"grey"_s);
    joined.remove(u'-');
    QStringList forms{spaced};
    if (const QString other = latinWords(joined); other != spaced)
        forms << other;
    return forms;
}

std::optional<Season> plumageIn(const QString& folded, const QString& words)
{
    if (words.contains(u" non breeding "_s) || words.contains(u" nonbreeding "_s) ||
        words.contains(u" winter "_s) || folded.contains(u"冬羽"_s))
        return Season::AutumnWinter;
    if (words.contains(u" breeding "_s) || words.contains(u" summer "_s) || folded.contains(u"夏羽"_s))
        return Season::SpringSummer;
    return std::nullopt;
}

// "22", "b22", "k22", "s22", with nothing else in the name: a bird number. Archive
// numbers such as XC123456 are not, and neither is the "_2" after a name.
int birdNumberIn(const QString& folded)
{
    static const QRegularExpression number(u"^[bksBKS]?0*([1-9][0-9]?)$"_s);
    const QRegularExpressionMatch match = number.match(folded.trimmed());
    const int value = match.hasMatch() ? match.captured(1).toInt() : 0;
    return value >= 1 && value <= 80 ? value : 0;
}

} // namespace

Recognition recognize(const QString& fileName)
{
    const QString stem = QFileInfo(fileName).completeBaseName();
    const QString folded = widthFolded(stem);
    const QString words = latinWords(stem);

    Recognition result;
    result.plumage = plumageIn(folded, words);
    if (const int bird = birdNumberIn(folded)) {
        result.birdNumber = bird;
        result.species = &species::ofBird(bird);
        result.candidates = {result.species};
        return result;
    }

    QList<Found> kana;
    QList<Found> latin;
    for (const species::Species& species : species::all()) {
        findAll(folded, QString::fromUtf16(species.boardName), species, kana);
        if (QString::fromUtf16(species.japaneseName) != QString::fromUtf16(species.boardName))
            findAll(folded, QString::fromUtf16(species.japaneseName), species, kana);
        QStringList names{QString::fromUtf16(species.scientificName),
                          QString::fromUtf16(species.englishName)};
        names << species::otherNames(species);
        for (const QString& name : std::as_const(names))
            for (const QString& form : latinForms(name))
                findAll(words, form, species, latin);
    }
    for (const species::Species* species : outermost(kana) + outermost(latin))
        if (!result.candidates.contains(species))
            result.candidates.append(species);
    if (result.candidates.size() == 1)
        result.species = result.candidates.first();
    return result;
}
