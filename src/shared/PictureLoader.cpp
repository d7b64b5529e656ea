#include "PictureLoader.h"

#include "MediaFile.h"

#include <QBuffer>
#include <QImageReader>

namespace {

bool tooLarge(const QSize& size)
{
    return size.width() > MaxPictureSide || size.height() > MaxPictureSide;
}

} // namespace

QImage readPicture(const QString& path)
{
    std::optional<QByteArray> bytes = media::readRegularFile(path, MaxPictureBytes);
    if (!bytes)
        return {};
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // A photograph taken upright on a camera held sideways is stored on its side.
    reader.setAutoTransform(true);
    if (!reader.size().isValid() || tooLarge(reader.size()))
        return {};
    // A GIF may claim a small frame on a huge screen, and Qt decodes the
    // whole screen: let Qt refuse the allocation, and check what came out.
    constexpr qint64 MaxBytes = qint64(MaxPictureSide) * MaxPictureSide * 4;
    reader.setAllocationLimit(int((MaxBytes + (1 << 20) - 1) >> 20));
    QImage image = reader.read();
    if (image.isNull() || tooLarge(image.size()))
        return {};
    if (image.text(PictureScaleKey) == QStringLiteral("2"))
        image = image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Converted here, on the worker, to what a pixmap holds on screen, so that
    // making the pixmap on the window's thread is only a copy.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}
