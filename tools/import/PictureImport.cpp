#include "PictureImport.h"

#include "MediaLimits.h"
#include "PictureLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace pictureimport {

QSize storedSize(const QSize& source)
{
    const QSize box = Panel * MaxScale;
    if (source.width() <= box.width() && source.height() <= box.height())
        return source;
    return source.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

int scaleOf(const QSize& stored)
{
    return stored.width() > Panel.width() || stored.height() > Panel.height() ? MaxScale : 1;
}

QImage prepare(const QString& source, QString* error, media::Links links)
{
    std::optional<QByteArray> bytes = media::readRegularFile(source, MaxPictureBytes + 1, error, links);
    if (!bytes)
        return {};
    if (bytes->size() > MaxPictureBytes) {
        *error = u"larger than %1 MB; no picture piyo takes is"_s.arg(MaxPictureBytes / (1024 * 1024));
        return {};
    }
    return prepareBytes(std::move(*bytes), error);
}

QImage prepareBytes(QByteArray bytes, QString* error)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize raw = reader.size();
    if (!raw.isValid()) {
        *error = u"not a picture piyo can read (%1)"_s.arg(reader.errorString());
        return {};
    }
    // The declared size decides before anything is decoded: a small file may claim a
    // size that would take gigabytes.
    if (!media::limits::withinPixelBudget(raw)) {
        *error = u"the file says it is %1 × %2 pixels (%3 megapixels); piyo takes pictures of up to %4"_s
                     .arg(raw.width())
                     .arg(raw.height())
                     .arg(qint64(raw.width()) * raw.height() / 1000000)
                     .arg(media::limits::MaxPicturePixels / 1000000);
        return {};
    }
    if (reader.format() == "jpeg" && !jpegComplete(bytes)) {
        *error = u"the JPEG data is cut short: part of the picture is missing"_s;
        return {};
    }
    reader.setAllocationLimit(media::limits::PictureAllocationMegabytes);
    // A JPEG can be decoded straight at a fraction of its size, several times faster than
    // decoding it whole and scaling it down. The size asked for is before the turn.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize shown = turned ? raw.transposed() : raw;
    if (const QSize stored = storedSize(shown); stored != shown)
        reader.setScaledSize(turned ? stored.transposed() : stored);
    QImage image = reader.read();
    if (image.isNull()) {
        *error = reader.errorString();
        return {};
    }
    const QSize size = storedSize(image.size());
    if (size != image.size())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int scale = scaleOf(image.size());
    image.setText(PictureScaleKey, QString::number(scale));
    // 96 dpi per unit of scale: what other viewers read as the picture's density.
    image.setDotsPerMeterX(qRound(96 * scale / 0.0254));
    image.setDotsPerMeterY(qRound(96 * scale / 0.0254));
    return image;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

bool writePng(const QImage& image, const QString& target, QString* error)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace pictureimport
