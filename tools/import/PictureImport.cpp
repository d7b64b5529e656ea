#include "PictureImport.h"

#include "PictureLoader.h"

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

QImage prepare(const QString& source, QString* error)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    // A photograph is read whole once; a 50-megapixel camera picture is ~200 MB decoded.
    reader.setAllocationLimit(512);
    // A JPEG can be decoded straight at a fraction of its size, several times faster than
    // decoding it whole and scaling it down. The size asked for is before the turn.
    if (const QSize raw = reader.size(); raw.isValid()) {
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize shown = turned ? raw.transposed() : raw;
        if (const QSize stored = storedSize(shown); stored != shown)
            reader.setScaledSize(turned ? stored.transposed() : stored);
    }
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
