#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <cmath>
#include <numbers>

// The program's icon: a メジロ-like green bird perched on a flowering plum branch. It is drawn in
// a 100 × 100 frame scaled to the requested size, so every size is sharp, and the scalable copy is the same
// drawing; below 48 px the fine touches (feather edges, stamens, shading) are left out, as they would only
// blur into mud.

namespace {

const QColor Sky(226, 240, 248);
const QColor Bark(104, 70, 52);
const QColor Petal(246, 176, 198);
const QColor PetalDeep(222, 96, 138);
const QColor Olive(132, 164, 48);
const QColor OliveDark(86, 116, 30);
const QColor Throat(236, 212, 52);
const QColor Belly(238, 234, 220);

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

void paintBranch(QPainter& painter, bool fine)
{
    QPainterPath branch(QPointF(-4, 84));
    branch.cubicTo(30, 74, 62, 70, 104, 56);
    QPainterPath twig(QPointF(68, 66));
    twig.quadTo(80, 56, 86, 38);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Bark, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(twig);
    painter.setPen(QPen(Bark, 7, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(branch);
    if (fine) {
        // A lighter line along the top of the bark, where the light falls.
        painter.setPen(QPen(Bark.lighter(150), 1.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(branch.translated(0, -2));
    }
}

void paintBlossom(QPainter& painter, QPointF centre, qreal radius, qreal turn, bool fine)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    painter.setPen(fine ? QPen(PetalDeep.lighter(120), 0.6) : Qt::NoPen);
    for (int k = 0; k < 5; ++k) {
        painter.save();
        painter.rotate(72 * k);
        QRadialGradient shade(QPointF(0, -radius * 0.2), radius);
        shade.setColorAt(0, fine ? PetalDeep : Petal);
        shade.setColorAt(0.5, Petal);
        shade.setColorAt(1, Petal.lighter(112));
        painter.setBrush(shade);
        painter.drawEllipse(QPointF(0, -radius * 0.55), radius * 0.48, radius * 0.5);
        painter.restore();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fine ? PetalDeep : QColor(214, 84, 120));
    painter.drawEllipse(QPointF(0, 0), radius * 0.24, radius * 0.24);
    if (fine) {
        painter.setPen(QPen(QColor(200, 120, 60), 0.45));
        for (int k = 0; k < 10; ++k) {
            const qreal angle = k * std::numbers::pi / 5;
            const QPointF tip(std::cos(angle) * radius * 0.5, std::sin(angle) * radius * 0.5);
            painter.drawLine(QPointF(0, 0), tip);
            painter.setBrush(QColor(250, 214, 70));
            painter.drawEllipse(tip, 0.8, 0.8);
        }
    }
    painter.restore();
}

void paintBird(QPainter& painter, bool fine)
{
    painter.setPen(Qt::NoPen);
    // Tail first, so the body overlaps its root.
    QPainterPath tail(QPointF(62, 56));
    tail.lineTo(88, 76);
    tail.lineTo(84, 80);
    tail.lineTo(58, 64);
    tail.closeSubpath();
    painter.fillPath(tail, OliveDark);

    QPainterPath body = ellipse({52, 52}, 21, 15);
    body = QTransform().translate(52, 52).rotate(28).translate(-52, -52).map(body);
    body = body.united(ellipse({37, 37}, 14, 13));
    QLinearGradient green(QPointF(40, 26), QPointF(56, 70));
    green.setColorAt(0, Olive.lighter(fine ? 118 : 100));
    green.setColorAt(1, Olive);
    painter.fillPath(body, green);

    // What lies on the body is cut to its outline as paths, not by clipping, so that the
    // scalable copy (SVG Tiny has no clipping) is the same drawing.
    const auto onBody = [&](const QPainterPath& path, const QBrush& brush) {
        painter.fillPath(path.intersected(body), brush);
    };
    // The belly melts into the green on the bigger drawings instead of ending at a hard line.
    QRadialGradient belly(QPointF(40, 70), 22);
    belly.setColorAt(0.6, Belly);
    belly.setColorAt(1, fine ? QColor(Belly.red(), Belly.green(), Belly.blue(), 0) : Belly);
    onBody(ellipse({40, 68}, 22, 16), belly);
    if (fine)
        onBody(ellipse({50, 70}, 10, 6), QColor(214, 196, 168));
    onBody(ellipse({29, 50}, 9, 7), Throat);
    // The folded wing, darker, with pale feather edges on the bigger drawings.
    QPainterPath wing(QPointF(44, 44));
    wing.cubicTo(56, 38, 70, 46, 72, 60);
    wing.cubicTo(64, 64, 52, 60, 44, 44);
    onBody(wing, OliveDark);
    if (fine) {
        QPainterPathStroker stroke;
        stroke.setWidth(0.9);
        stroke.setCapStyle(Qt::RoundCap);
        for (qreal k : {0.0, 5.0, 10.0}) {
            QPainterPath edge(QPointF(50 + k, 45 + k * 0.2));
            edge.quadTo(56 + k, 52, 58 + k * 0.9, 60 - k * 0.2);
            onBody(stroke.createStroke(edge), Olive);
        }
    }

    QPainterPath bill(QPointF(26, 32));
    bill.lineTo(13, 36);
    bill.lineTo(25, 39);
    bill.closeSubpath();
    painter.fillPath(bill, QColor(54, 52, 56));

    // The white eye-ring is what names the bird, so it stays bold even at 32 px.
    const QPointF eye(34, 35);
    painter.setBrush(Qt::white);
    painter.drawEllipse(eye, fine ? 5.6 : 7, fine ? 5.6 : 7);
    painter.setBrush(QColor(24, 22, 24));
    painter.drawEllipse(eye, fine ? 3.4 : 3.8, fine ? 3.4 : 3.8);
    if (fine) {
        painter.setBrush(Qt::white);
        painter.drawEllipse(eye + QPointF(-1.1, -1.1), 1, 1);
    }

    // Toes gripping the branch.
    painter.setPen(QPen(QColor(90, 86, 96), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(48, 64), QPointF(46, 71));
    painter.drawLine(QPointF(56, 64), QPointF(55, 70));
}

// The icon in a 100 × 100 square; small sizes leave out the glow and the third blossom.
void paintIcon(QPainter& painter, bool fine)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Sky);
    painter.drawRoundedRect(QRectF(1, 1, 98, 98), 18, 18);

    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 98, 98), 18, 18);
    painter.setClipPath(tile);
    if (fine) {
        QRadialGradient glow(QPointF(40, 40), 60);
        glow.setColorAt(0, QColor(255, 255, 255, 200));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillRect(QRectF(0, 0, 100, 100), glow);
    }
    paintBranch(painter, fine);
    paintBlossom(painter, {86, 34}, 15, 10, fine);
    paintBlossom(painter, {14, 72}, 14, -8, fine);
    if (fine)
        paintBlossom(painter, {66, 82}, 9, 30, fine);
    paintBird(painter, fine);
}

} // namespace

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    // The corners are transparent but keep the tile's colour, so the GIF copy, which has no
    // transparency, shows a plain light square instead of black corners.
    image.fill(QColor(Sky.red(), Sky.green(), Sky.blue(), 0));
    QPainter painter(&image);
    painter.scale(size / 100.0, size / 100.0);
    paintIcon(painter, size >= 48);
    return image;
}

bool writeIconSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(100, 100));
    svg.setViewBox(QRect(0, 0, 100, 100));
    svg.setTitle(QStringLiteral("piyo"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintIcon(painter, true);
    return painter.end();
}
