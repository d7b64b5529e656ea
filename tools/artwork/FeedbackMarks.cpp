#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>

// The right/wrong pictures shown over the quiz board after an answer: one bold sign on
// pale paper inside a thin frame, big enough to read at a glance.

namespace {

constexpr int Width = 199, Height = 195;
const QColor Paper(255, 253, 246);
const QColor Red(222, 16, 20);
const QColor Blue(18, 40, 150);

QImage blankCard(const QColor& frame, int scale)
{
    QImage image(Width * scale, Height * scale, QImage::Format_RGB32);
    image.fill(Paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(QPen(frame, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(4.5, 4.5, Width - 9, Height - 9), 10, 10);
    painter.setPen(QPen(frame.lighter(160), 1));
    painter.drawRoundedRect(QRectF(9.5, 9.5, Width - 19, Height - 19), 7, 7);
    return image;
}

} // namespace

QImage drawRightMark(int scale)
{
    QImage image = blankCard(Red, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QPointF centre(Width / 2.0, Height / 2.0);
    // A darker under-ring a pixel lower gives the stroke a little body without blurring its edge.
    painter.setPen(QPen(Red.darker(140), 28));
    painter.drawEllipse(centre + QPointF(0, 1.5), 62, 62);
    painter.setPen(QPen(Red, 28));
    painter.drawEllipse(centre, 62, 62);
    return image;
}

QImage drawWrongMark(int scale)
{
    QImage image = blankCard(Blue, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const qreal reach = 58;
    const QPointF centre(Width / 2.0, Height / 2.0);
    QPainterPath cross;
    cross.moveTo(centre + QPointF(-reach, -reach));
    cross.lineTo(centre + QPointF(reach, reach));
    cross.moveTo(centre + QPointF(reach, -reach));
    cross.lineTo(centre + QPointF(-reach, reach));
    painter.setPen(QPen(Blue.darker(140), 28, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cross.translated(0, 1.5));
    painter.setPen(QPen(Blue, 28, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cross);
    return image;
}
