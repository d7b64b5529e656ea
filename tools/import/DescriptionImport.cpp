#include "DescriptionImport.h"

#include "Cp932Encoder.h"

#include <algorithm>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace descriptionimport {

bool toCodePage932(const QByteArray& utf8, QByteArray* encoded, QString* error)
{
    std::string_view text(utf8.constData(), std::size_t(utf8.size()));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Cp932Encoder encoder;
    std::string out;
    for (int line = 1; !text.empty(); ++line) {
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        if (row.ends_with('\r'))
            row.remove_suffix(1);
        Cp932Encoder::Failure failure;
        if (!encoder.encode(row, out, failure)) {
            const std::string_view before = row.substr(0, failure.offset);
            const auto column = 1 + std::ranges::count_if(before, [](char c) {
                                    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                                });
            *error = u"line %1, character %2: %3"_s.arg(line).arg(column).arg(
                QString::fromStdString(failure.reason));
            return false;
        }
        out += "\r\n";
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    *encoded = QByteArray(out.data(), qsizetype(out.size()));
    return true;
}

} // namespace descriptionimport
