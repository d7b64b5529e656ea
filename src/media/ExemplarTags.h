#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a picture or recording of a bird shows: the kind of call, or the plumage and
// view, and whom it is owed to. Kept beside the file as <name>.tags, a short UTF-8
// text a user can read and edit by hand:
//
//   地鳴き 飛翔
//   credit: XC123456
//   聞きなし: 「ジュリ ジュリ ジュリ」: 濁った三拍子
//
// Words on the other lines are tags: the Japanese words below, or their English
// names (song, call, flight, alarm, summer, winter, male, female, eclipse,
// juvenile), separated by spaces, commas or 、. A word the program does not know
// is passed over. Blank lines and lines starting with # are comments.
namespace media {

struct ExemplarTags
{
    QStringList words; // canonical Japanese tags, in the order of callTagWords() and pictureTagWords()
    QString credit;    // printable, one line; empty when none is given
    QString heard;     // how the call is written down (聞きなし), printable, one line; empty when none

    bool isEmpty() const { return words.isEmpty() && credit.isEmpty() && heard.isEmpty(); }
    bool operator==(const ExemplarTags&) const = default;
};

// The tags a recording may carry: さえずり (song), 地鳴き (call), 飛翔 (flight call), 警戒 (alarm).
QStringList callTagWords();
// The tags a picture may carry: 夏羽, 冬羽, 雄, 雌, エクリプス, 幼鳥, 飛翔.
QStringList pictureTagWords();

// The tags named anywhere in a piece of text, such as a file name: Japanese words
// wherever they stand ("ダイゼン夏羽" names 夏羽), English words whole and in any
// case ("Flight call", "non-breeding", "juv."). Each tag once, in the order above.
QStringList tagWordsIn(const QString& text);

// The longest a credit or a written call is kept, in characters; longer ones are cut.
inline constexpr int MaxCreditLength = 120;
// A tags file larger than this is no tags file: it is passed over.
inline constexpr qint64 MaxTagsFileBytes = 4096;

// Reads the text of a tags file. Text that is not UTF-8 gives no tags at all.
ExemplarTags parseExemplarTags(const QByteArray& utf8);
// The text of a tags file, as piyo-import writes it and parseExemplarTags reads it back.
QByteArray formatExemplarTags(const ExemplarTags& tags);

// The tags file beside a media file: 声/k22-2.wav → 声/k22-2.tags.
QString tagsPathFor(const QString& mediaPath);
// The tags of a media file read from its tags file: only a regular file within
// MaxTagsFileBytes is read; anything else gives no tags. Touches the disk: not
// for the UI thread.
ExemplarTags readExemplarTags(const QString& mediaPath);

} // namespace media
