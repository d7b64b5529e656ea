// piyo-import's text path: any file given as a description must be refused
// with the line and place of what code page 932 cannot hold, or become code
// page 932 text with CR LF line ends that the program reads back as the same
// lines, character for character.

#include "DescriptionImport.h"
#include "DescriptionReader.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "MediaFile.h"
#include "MediaLimits.h"
#include "SafeWrite.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>

namespace {

// The lines piyo-import reads from UTF-8 text: split at LF, a CR before it
// dropped, a byte order mark at the start skipped.
QStringList utf8Lines(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QList<QByteArray> rows = bytes.split('\n');
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast(); // a final line end adds no line
    QStringList lines;
    for (QByteArray& row : rows) {
        if (row.endsWith('\r'))
            row.chop(1);
        lines << QString::fromUtf8(row);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInput input(".txt");
    static FuzzFolder folder;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    // Read as piyo-import reads it: the size checked first, then the whole file.
    const qint64 maxText = 2 * media::limits::MaxDescriptionBytes;
    QString error;
    const std::optional<QByteArray> utf8 =
        media::readWholeRegularFile(input.write(data, size), maxText, &error, media::Links::Refuse);
    FUZZ_CHECK(utf8.has_value() == (qint64(size) <= maxText));
    if (!utf8)
        return 0;
    FUZZ_CHECK(*utf8 == bytes);

    QByteArray text;
    if (!descriptionimport::toCodePage932(*utf8, &text, &error)) {
        FUZZ_CHECK(error.startsWith(QStringLiteral("line ")));
        return 0;
    }
    FUZZ_CHECK(text.isEmpty() || text.endsWith("\r\n"));

    // The text comes back from code page 932 character for character, each line ended by CR LF.
    const QStringList expected = utf8Lines(*utf8);
    const QString decoded = description::decodeCp932(text);
    QString joined;
    for (const QString& line : expected)
        joined += line + QStringLiteral("\r\n");
    FUZZ_CHECK(decoded == joined);

    if (text.size() > media::limits::MaxDescriptionBytes)
        return 0; // refused as too long for the program to show
    const safewrite::Request request{
        folder.path(), QStringLiteral("説明"), QStringLiteral("s1.txt"), {}, QStringLiteral(".replaced")};
    QStringList aside;
    QString why;
    FUZZ_CHECK(safewrite::install(
        request, [&text](int fd, QString* why) { return safewrite::writeAll(fd, text, why); }, &aside, &why));
    // The program reads the lines back (a lone CR inside a line ends it there),
    // each as far as its list shows.
    QStringList lines = description::splitLines(decoded).mid(0, description::MaxLines);
    for (QString& line : lines)
        line.truncate(description::MaxLineLength);
    FUZZ_CHECK(description::read(folder.filePath(QStringLiteral("説明/s1.txt"))) == lines);
    folder.clear();
    return 0;
}
