#include "DescriptionReader.h"

#include "MediaFile.h"

#include <cerrno>
#include <iconv.h>

namespace description {

QString decodeCp932(const QByteArray& bytes)
{
    iconv_t converter = iconv_open("UTF-16LE", "CP932");
    if (converter == iconv_t(-1)) // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
        return QString::fromLatin1(bytes);

    QString text;
    QByteArray buffer(4096, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char* out = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        const int error = result == size_t(-1) ? errno : 0;
        text += QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer.constData()),
                                   (buffer.size() - qsizetype(outLeft)) / 2);
        if (error == EILSEQ) {
            text += QChar::ReplacementCharacter;
            ++in; // skip the bad byte; what follows may still be good text
            --inLeft;
        } else if (error == EINVAL) {
            text += QChar::ReplacementCharacter; // a lead byte with nothing after it
            break;
        } else if (error != 0 && error != E2BIG) {
            break;
        }
    }
    iconv_close(converter);
    return text;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'\r')
            continue;
        lines << text.mid(start, i - start);
        if (i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QStringList read(const QString& path)
{
    const std::optional<QByteArray> bytes = media::readRegularFile(path, MaxBytes);
    if (!bytes)
        return {};
    QStringList lines = splitLines(decodeCp932(*bytes));
    if (lines.size() > MaxLines)
        lines.resize(MaxLines);
    for (QString& line : lines)
        line.truncate(MaxLineLength);
    return lines;
}

} // namespace description
