// Description files: any bytes must decode and split without crashing, the
// result must keep the promises the viewer relies on, and reading the file
// must stay within its limits.

#include "DescriptionReader.h"
#include "FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = description::decodeCp932(bytes);
    // Every byte gives at most one character: a single-byte character, half of
    // a double-byte one, or a replacement for a bad byte.
    check(text.size() <= bytes.size());

    const QStringList lines = description::splitLines(text);
    qsizetype total = 0;
    for (const QString& line : lines) {
        check(!line.contains(u'\r')); // CR always ends a line
        total += line.size();
    }
    // The lines hold the text less its line ends, one line per CR plus one for
    // a last line without an end.
    const qsizetype crs = text.count(u'\r');
    check(total == text.size() - crs - text.count(QStringLiteral("\r\n")));
    const bool openLastLine =
        !text.isEmpty() && !text.endsWith(u'\r') && !text.endsWith(QStringLiteral("\r\n"));
    check(lines.size() == crs + (openLastLine ? 1 : 0));

    static FuzzInput input(".txt");
    const QStringList read = description::read(input.write(data, size));
    check(read.size() <= description::MaxLines);
    if (qint64(size) <= description::MaxBytes) {
        // The same lines, each kept whole or cut short at the right.
        check(read.size() == std::min(lines.size(), qsizetype(description::MaxLines)));
        for (qsizetype i = 0; i < read.size(); ++i)
            check(lines.at(i).startsWith(read.at(i)));
    }
    return 0;
}
