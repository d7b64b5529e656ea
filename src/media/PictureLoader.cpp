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
    return size.width() > MaxPictureSide || size.height() > MaxPictureSide ||
           !media::limits::withinPixelBudget(size);
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
    reader.setAllocationLimit(media::limits::PictureAllocationMegabytes);
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

// The markers are walked as a decoder walks them: segments by their lengths (an
// embedded thumbnail, with an end marker of its own, is skipped whole), then the
// coded data up to the next marker, until the end marker or the end of the bytes.
bool jpegComplete(const QByteArray& bytes)
{
    const auto at = [&](qsizetype i) { return quint8(bytes.at(i)); };
    const qsizetype size = bytes.size();
    if (size < 4 || at(0) != 0xFF || at(1) != 0xD8)
        return false;
    qsizetype i = 2;
    bool inScan = false;
    while (i < size) {
        if (inScan) {
            // Coded data: 0xFF 0x00 is a data byte, 0xFF 0xD0-D7 a restart marker.
            if (at(i) != 0xFF) {
                ++i;
                continue;
            }
            if (i + 1 >= size)
                return false;
            const quint8 next = at(i + 1);
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) {
                i += next == 0xFF ? 1 : 2;
                continue;
            }
            inScan = false;
        }
        if (at(i) != 0xFF)
            return false;
        while (i < size && at(i) == 0xFF) // fill bytes
            ++i;
        if (i >= size)
            return false;
        const quint8 marker = at(i++);
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        if (i + 2 > size)
            return false;
        const qsizetype length = (qsizetype(at(i)) << 8) | at(i + 1);
        if (length < 2)
            return false;
        i += length;
        inScan = marker == 0xDA;
    }
    return false;
}
