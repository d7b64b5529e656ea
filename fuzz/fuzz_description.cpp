// Description files: any bytes must decode and split without crashing, and
// the result must keep the promises the viewer relies on.

#include "DescriptionReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = description::decodeCp932(bytes);
    // Every byte gives at most one character: a single-byte character, half of
    // a double-byte one, or a replacement for a bad byte.
    if (text.size() > bytes.size())
        std::abort();

    const QStringList lines = description::splitLines(text);
    qsizetype total = 0;
    for (const QString& line : lines) {
        if (line.contains(u'\r')) // CR always ends a line
            std::abort();
        total += line.size();
    }
    const qsizetype crs = text.count(u'\r');
    const qsizetype crlfs = text.count(QStringLiteral("\r\n"));
    // The lines hold the text less its line ends, and there is one line per
    // line end plus one for a last line without an end.
    if (total != text.size() - crs - crlfs)
        std::abort();
    if (lines.size() !=
        crs + (text.isEmpty() || text.endsWith(u'\r') || text.endsWith(QStringLiteral("\r\n")) ? 0 : 1))
        std::abort();
    return 0;
}
