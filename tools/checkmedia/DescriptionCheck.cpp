#include "DescriptionCheck.h"

#include "DescriptionReader.h"
#include "FilePresence.h"
#include "MediaFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

#include <cerrno>
#include <iconv.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A line as a text editor numbers it: ended by CR LF, CR or LF.
struct Line
{
    qsizetype start;
    qsizetype length;
    bool loneLf; // ended by LF alone, which the program keeps inside the line
};

QList<Line> editorLines(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append({start, i - start, c == '\n'});
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append({start, bytes.size() - start, false});
    return lines;
}

int lineNumberAt(const QList<Line>& lines, qsizetype offset)
{
    int number = 1;
    while (number < lines.size() && lines.at(number).start <= offset)
        ++number;
    return number;
}

struct Cp932Error
{
    qsizetype offset;
    bool cutShort; // a lead byte at the very end, its second byte missing
};

// glibc names the exact byte iconv stops at, which a lenient decoder hides.
std::optional<Cp932Error> firstCp932Error(const QByteArray& bytes)
{
    iconv_t converter = iconv_open("UTF-16LE", "CP932");
    if (converter == iconv_t(-1))
        return std::nullopt;
    std::optional<Cp932Error> found;
    char buffer[4096];
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0 && !found) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != size_t(-1) || errno == E2BIG)
            continue;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        found = Cp932Error{in - bytes.constData(), errno == EINVAL};
    }
    iconv_close(converter);
    return found;
}

// Text saved in another encoding. Japanese UTF-8 often passes as code page 932
// (kana and kanji turn into other kanji), so it is caught by being valid
// UTF-8, which real code page 932 text almost never is.
QString otherEncoding(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return u"UTF-16"_s;
    const bool ascii = std::ranges::all_of(bytes, [](char c) { return uchar(c) < 0x80; });
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    return !ascii && !utf8.hasError() ? u"UTF-8"_s : QString();
}

std::optional<Finding> checkCp932(const QByteArray& bytes, const QList<Line>& lines)
{
    const std::optional<Cp932Error> error = firstCp932Error(bytes);
    if (!error)
        return std::nullopt;
    const int line = lineNumberAt(lines, error->offset);
    const QString where =
        error->cutShort
            ? u"the file ends in the middle of a two-byte character (line %1)"_s.arg(line)
            : u"byte 0x%1 at line %2, column %3 (offset %4)"_s.arg(
                  QString::number(quint8(bytes.at(error->offset)), 16).toUpper(), QString::number(line),
                  QString::number(error->offset - lines.at(line - 1).start + 1),
                  QString::number(error->offset));
    return Finding::problem(u"not valid code page 932: %1"_s.arg(where));
}

std::optional<Finding> checkLineEnds(const QByteArray& bytes, const QList<Line>& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).loneLf)
            continue;
        if (!bytes.contains('\r')) {
            return Finding::warning(u"LF-only line ends: the whole text shows as one list line; "
                                    u"save it with CR LF line ends"_s);
        }
        return Finding::warning(u"line %1 ends in LF alone: it shows joined to the next line in the list; "
                                u"save it with CR LF line ends"_s.arg(i + 1));
    }
    return std::nullopt;
}

// In the list's fixed-pitch font a one-byte character (ASCII, half-width
// kana) is half as wide as a two-byte one, so the byte count is the width.
std::optional<Finding> checkLineWidths(const QList<Line>& lines)
{
    constexpr qsizetype maxBytes = 2 * ListWidthFullWidth;
    int wide = 0;
    int first = 0;
    qsizetype firstWidth = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).length <= maxBytes)
            continue;
        if (wide++ == 0) {
            first = int(i + 1);
            firstWidth = (lines.at(i).length + 1) / 2;
        }
    }
    if (wide == 0)
        return std::nullopt;
    const QString shown = QString::number(ListWidthFullWidth);
    if (wide == 1) {
        return Finding::warning(
            u"line %1 is %2 full-width characters wide; the list shows %3 and cuts off the rest"_s.arg(
                QString::number(first), QString::number(firstWidth), shown));
    }
    return Finding::warning(
        u"%1 lines are wider than the %2 full-width characters the list shows "
        u"(the first, line %3, is %4): it cuts off the rest"_s.arg(
            QString::number(wide), shown, QString::number(first), QString::number(firstWidth)));
}

bool blank(const QByteArray& bytes)
{
    return bytes.trimmed().isEmpty();
}

} // namespace

Findings checkDescription(const QString& path)
{
    if (const auto absent = checkPresent(path))
        return {*absent};
    // The program reads no further than this, and neither does the check.
    QString why;
    const media::FileDescriptor fd(media::openRegularFile(path, &why));
    if (!fd.isOpen())
        return {Finding::problem(u"cannot be read: %1"_s.arg(why))};
    QFile file;
    if (!file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {Finding::problem(u"cannot be read: %1"_s.arg(file.errorString()))};
    const QByteArray bytes = file.read(description::MaxBytes);
    if (blank(bytes))
        return {Finding::warning(u"empty: the description list stays empty"_s)};

    const QList<Line> lines = editorLines(bytes);
    Findings findings;
    if (const QString other = otherEncoding(bytes); !other.isEmpty()) {
        findings += Finding::problem(u"%1 text, not code page 932: the program shows it garbled; "
                                     u"save it as Shift_JIS (code page 932)"_s.arg(other));
        if (const auto lineEnds = checkLineEnds(bytes, lines))
            findings += *lineEnds;
        return findings;
    }
    for (const auto& finding :
         {checkCp932(bytes, lines), checkLineEnds(bytes, lines), checkLineWidths(lines)}) {
        if (finding)
            findings += *finding;
    }
    if (file.size() > description::MaxBytes) {
        findings += Finding::warning(
            u"longer than %1 KB: the program shows only the start"_s.arg(description::MaxBytes / 1024));
    }
    return findings;
}
