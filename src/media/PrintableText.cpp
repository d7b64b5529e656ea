#include "PrintableText.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace media {
namespace {

bool needsEscape(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

} // namespace

QString printable(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const uint code : text.toUcs4()) {
        const char32_t c = code;
        if (c == u'\\') {
            out += u"\\\\"_s;
        } else if (c == u'\n') {
            out += u"\\n"_s;
        } else if (c == u'\r') {
            out += u"\\r"_s;
        } else if (c == u'\t') {
            out += u"\\t"_s;
        } else if (c < 0x100 && needsEscape(c)) {
            out += u"\\x%1"_s.arg(uint(c), 2, 16, QLatin1Char('0'));
        } else if (needsEscape(c)) {
            out += u"\\u%1"_s.arg(uint(c), 4, 16, QLatin1Char('0'));
        } else {
            out += QString::fromUcs4(&c, 1);
        }
    }
    return out;
}

} // namespace media
