#include "PictureLoader.h"

#include "MediaFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString finerCopy(const QString& path, int ratio)
{
    const int dot = path.lastIndexOf(u'.');
    const int slash = path.lastIndexOf(u'/');
    if (dot <= slash)
        return {};
    return path.left(dot) + u"@%1x"_s.arg(ratio) + path.mid(dot);
}

bool tooLarge(const QSize& size)
{
    return size.width() > MaxPictureSide || size.height() > MaxPictureSide;
}

QImage readOnePicture(const QString& path, int fineness)
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
    // piyo-import keeps a photograph at up to twice the panel's size: a window
    // at twice the design size or more shows every pixel of it, a smaller one half.
    const bool twice = image.text(PictureScaleKey) == QStringLiteral("2");
    if (twice && fineness < 2)
        image = image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Converted here, on the worker, to what a pixmap holds on screen, so that
    // making the pixmap on the window's thread is only a copy.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    if (twice && fineness >= 2)
        image.setDevicePixelRatio(2);
    return image;
}

} // namespace

QImage readPicture(const QString& path, double fineness)
{
    if (path.isEmpty())
        return {};
    if (!std::isfinite(fineness))
        fineness = 1.0;
    const int wanted = std::clamp(int(std::ceil(fineness - 1e-6)), 1, 3);
    for (int ratio = wanted; ratio >= 2; --ratio) {
        const QString finer = finerCopy(path, ratio);
        if (finer.isEmpty() || !QFileInfo(finer).isFile())
            continue;
        QImage image = readOnePicture(finer, wanted);
        if (image.isNull())
            continue; // a broken copy: the plain picture still serves
        image.setDevicePixelRatio(ratio);
        return image;
    }
    return readOnePicture(path, wanted);
}
