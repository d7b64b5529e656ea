#include "PictureCheck.h"

#include "FilePresence.h"
#include "MediaFile.h"
#include "PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <gif_lib.h>

using namespace Qt::StringLiterals;

namespace {

struct GifCheck
{
    QString error; // empty when the whole file decodes
    int frames = 0;
};

// Qt shows a GIF that ends early with its missing rows left blank, and says
// nothing; giflib reads every block and reports where it breaks off.
GifCheck checkGifData(const QString& path)
{
    int error = D_GIF_SUCCEEDED;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return {QString::fromUtf8(GifErrorString(error)), 0};
    GifCheck check;
    if (DGifSlurp(gif) == GIF_ERROR)
        check.error = QString::fromUtf8(GifErrorString(gif->Error));
    check.frames = gif->ImageCount;
    DGifCloseFile(gif, &error);
    return check;
}

// What Qt calls the format the program expects under each picture extension.
QByteArray formatOfExtension(const QString& extension)
{
    if (extension == u"jpg"_s || extension == u"jpeg"_s)
        return "jpeg";
    return extension.toLatin1();
}

QString sizeText(QSize size)
{
    return u"%1 × %2 pixels"_s.arg(size.width()).arg(size.height());
}

Findings checkGifFile(const QString& path)
{
    const GifCheck gif = checkGifData(path);
    if (!gif.error.isEmpty()) {
        return {Finding::problem(
            u"damaged or truncated GIF data (%1): the picture shows only in part, if at all"_s.arg(
                gif.error))};
    }
    if (gif.frames > 1)
        return {
            Finding::warning(u"an animated GIF of %1 frames: only the first one shows"_s.arg(gif.frames))};
    return {};
}

} // namespace

Findings checkPicture(const QString& path, PictureUse use)
{
    if (const auto absent = checkPresent(path))
        return {*absent};

    // Read as the program reads it: no more than its byte limit, and decoded
    // only when the declared size is within its limits.
    QString why;
    std::optional<QByteArray> bytes = media::readRegularFile(path, MaxPictureBytes, &why);
    if (!bytes)
        return {Finding::problem(u"cannot be read: %1"_s.arg(why))};
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true); // as the program reads it: a camera's portrait stands upright
    const QSize size = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)
                           ? reader.size().transposed()
                           : reader.size();
    if (!size.isValid())
        return {Finding::problem(u"not a picture the program can decode (%1)"_s.arg(reader.errorString()))};
    if (size.width() > MaxPictureSide || size.height() > MaxPictureSide) {
        return {Finding::problem(u"too large: %1; the program refuses pictures over %2 pixels a side"_s.arg(
            sizeText(size), QString::number(MaxPictureSide)))};
    }
    if (!media::limits::withinPixelBudget(size)) {
        return {Finding::problem(u"too large: %1; the program refuses pictures over %2 megapixels"_s.arg(
            sizeText(size), QString::number(media::limits::MaxPicturePixels / 1000000)))};
    }
    reader.setAllocationLimit(media::limits::PictureAllocationMegabytes);
    const QByteArray format = reader.format();
    if (format == "jpeg" && !jpegComplete(*bytes))
        return {Finding::problem(u"truncated JPEG data: part of the picture shows grey"_s)};
    const QImage image = reader.read();
    if (image.isNull())
        return {Finding::problem(u"cannot be decoded (%1)"_s.arg(reader.errorString()))};

    Findings findings;
    if (format == "gif")
        findings += checkGifFile(path);
    const QString extension = QFileInfo(path).suffix();
    if (formatOfExtension(extension) != format) {
        findings +=
            Finding::warning(u"%1 data under a .%2 name: the program shows it, other programs may not"_s.arg(
                QString::fromLatin1(format.toUpper()), extension));
    }
    // A picture piyo-import kept at twice the size is shown at half of it.
    const QSize shown = image.text(PictureScaleKey) == u"2"_s ? size / 2 : size;
    if (use == PictureUse::Bird && (shown.width() > PanelWidth || shown.height() > PanelHeight)) {
        findings += Finding::warning(u"%1 does not fit the %2 × %3-pixel picture panel"_s.arg(
            sizeText(shown), QString::number(PanelWidth), QString::number(PanelHeight)));
    }
    return findings;
}
