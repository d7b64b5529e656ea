#include "ExemplarTags.h"

#include "MediaFile.h"
#include "PrintableText.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <utility>

using namespace Qt::StringLiterals;

namespace media {
namespace {

// Every tag in the order it is listed and written.
const QStringList& allTagWords()
{
    static const QStringList words{u"さえずり"_s, u"地鳴き"_s, u"飛翔"_s, u"警戒"_s,       u"夏羽"_s,
                                   u"冬羽"_s,     u"雄"_s,     u"雌"_s,   u"エクリプス"_s, u"幼鳥"_s};
    return words;
}

// Japanese words are found wherever they stand: Japanese runs its words together.
const QList<std::pair<QString, QString>>& japaneseWords()
{
    static const QList<std::pair<QString, QString>> words{
        {u"さえずり"_s, u"さえずり"_s}, {u"囀り"_s, u"さえずり"_s}, {u"地鳴き"_s, u"地鳴き"_s},
        {u"地鳴"_s, u"地鳴き"_s},       {u"飛翔"_s, u"飛翔"_s},     {u"警戒"_s, u"警戒"_s},
        {u"夏羽"_s, u"夏羽"_s},         {u"冬羽"_s, u"冬羽"_s},     {u"雄"_s, u"雄"_s},
        {u"オス"_s, u"雄"_s},           {u"♂"_s, u"雄"_s},          {u"雌"_s, u"雌"_s},
        {u"メス"_s, u"雌"_s},           {u"♀"_s, u"雌"_s},          {u"エクリプス"_s, u"エクリプス"_s},
        {u"幼鳥"_s, u"幼鳥"_s},         {u"幼羽"_s, u"幼鳥"_s}};
    return words;
}

// English words count only whole: "call" in "calls" does, in "recall" it does not.
// Pairs first, so "flight call" is a flight call and not also a call.
const QList<std::pair<QStringList, QString>>& englishWords()
{
    static const QList<std::pair<QStringList, QString>> words{{{u"flight"_s, u"call"_s}, u"飛翔"_s},
                                                              {{u"flight"_s, u"calls"_s}, u"飛翔"_s},
                                                              {{u"alarm"_s, u"call"_s}, u"警戒"_s},
                                                              {{u"alarm"_s, u"calls"_s}, u"警戒"_s},
                                                              {{u"in"_s, u"flight"_s}, u"飛翔"_s},
                                                              {{u"non"_s, u"breeding"_s}, u"冬羽"_s},
                                                              {{u"song"_s}, u"さえずり"_s},
                                                              {{u"songs"_s}, u"さえずり"_s},
                                                              {{u"call"_s}, u"地鳴き"_s},
                                                              {{u"calls"_s}, u"地鳴き"_s},
                                                              {{u"flight"_s}, u"飛翔"_s},
                                                              {{u"flying"_s}, u"飛翔"_s},
                                                              {{u"alarm"_s}, u"警戒"_s},
                                                              {{u"summer"_s}, u"夏羽"_s},
                                                              {{u"breeding"_s}, u"夏羽"_s},
                                                              {{u"winter"_s}, u"冬羽"_s},
                                                              {{u"nonbreeding"_s}, u"冬羽"_s},
                                                              {{u"male"_s}, u"雄"_s},
                                                              {{u"female"_s}, u"雌"_s},
                                                              {{u"eclipse"_s}, u"エクリプス"_s},
                                                              {{u"juvenile"_s}, u"幼鳥"_s},
                                                              {{u"juv"_s}, u"幼鳥"_s}};
    return words;
}

QStringList inOrder(const QStringList& found)
{
    QStringList ordered;
    for (const QString& word : allTagWords())
        if (found.contains(word))
            ordered << word;
    return ordered;
}

void addEnglishTags(const QString& text, QStringList& found)
{
    static const QRegularExpression notLetters(u"[^a-z0-9]+"_s);
    const QStringList tokens = text.split(notLetters, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < tokens.size();) {
        qsizetype used = 1;
        for (const auto& [phrase, tag] : englishWords()) {
            if (tokens.mid(i, phrase.size()) == phrase) {
                found << tag;
                used = phrase.size();
                break;
            }
        }
        i += used;
    }
}

QString oneLine(QString credit)
{
    credit = printable(credit.trimmed());
    if (credit.size() > MaxCreditLength)
        credit.truncate(MaxCreditLength);
    return credit;
}

} // namespace

QStringList callTagWords()
{
    return {u"さえずり"_s, u"地鳴き"_s, u"飛翔"_s, u"警戒"_s};
}

QStringList pictureTagWords()
{
    return {u"夏羽"_s, u"冬羽"_s, u"雄"_s, u"雌"_s, u"エクリプス"_s, u"幼鳥"_s, u"飛翔"_s};
}

QStringList tagWordsIn(const QString& text)
{
    // Half-width katakana and full-width letters read as the everyday forms.
    const QString plain = text.normalized(QString::NormalizationForm_KC).toLower();
    QStringList found;
    for (const auto& [word, tag] : japaneseWords())
        if (plain.contains(word))
            found << tag;
    addEnglishTags(plain, found);
    return inOrder(found);
}

ExemplarTags parseExemplarTags(const QByteArray& utf8)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decode(utf8);
    if (decode.hasError() || text.contains(u'\0'))
        return {};
    if (text.startsWith(u'\xfeff'))
        text.remove(0, 1);
    ExemplarTags tags;
    QStringList found;
    static const QRegularExpression lineEnd(u"\r\n|\r|\n"_s);
    for (const QString& raw : text.split(lineEnd)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        // A keyed line: whom the file is owed to, or how the call is written down. The first of each counts.
        static const QRegularExpression keyedLine(u"^(credit|出典|heard|聞きなし)\\s*[:：]\\s*(.*)$"_s,
                                                  QRegularExpression::CaseInsensitiveOption);
        if (const QRegularExpressionMatch keyed = keyedLine.match(line); keyed.hasMatch()) {
            const QString key = keyed.captured(1).toLower();
            QString& field = key == u"credit"_s || key == u"出典"_s ? tags.credit : tags.heard;
            if (field.isEmpty())
                field = oneLine(keyed.captured(2));
            continue;
        }
        found += tagWordsIn(line);
    }
    tags.words = inOrder(found);
    return tags;
}

QByteArray formatExemplarTags(const ExemplarTags& tags)
{
    QString text;
    if (!tags.words.isEmpty())
        text += tags.words.join(u' ') + u'\n';
    if (!tags.credit.isEmpty())
        text += u"credit: "_s + oneLine(tags.credit) + u'\n';
    if (!tags.heard.isEmpty())
        text += u"聞きなし: "_s + oneLine(tags.heard) + u'\n';
    return text.toUtf8();
}

QString tagsPathFor(const QString& mediaPath)
{
    const QFileInfo info(mediaPath);
    return info.path() + u'/' + info.completeBaseName() + u".tags"_s;
}

ExemplarTags readExemplarTags(const QString& mediaPath)
{
    const std::optional<QByteArray> bytes = readWholeRegularFile(tagsPathFor(mediaPath), MaxTagsFileBytes);
    return bytes ? parseExemplarTags(*bytes) : ExemplarTags{};
}

} // namespace media
