#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

// The menu's backdrop: three bird heads painted down the left side, the right half left
// as a plain field for the menu's labels.

namespace {

const QColor Field(252, 246, 188);
constexpr int Width = 640, Height = 400;

// A brush stroke along `centre`: the nib swells to `width` in the middle and lifts off at both
// ends, or only at the end when `fromRoot` (a feather growing out of the skin).
QPainterPath brushStroke(const QPainterPath& centre, qreal width, bool fromRoot = false)
{
    constexpr int Steps = 20;
    QPolygonF left, right;
    for (int i = 0; i <= Steps; ++i) {
        const qreal t = qreal(i) / Steps;
        const qreal swell = fromRoot ? std::cos(t * std::numbers::pi / 2) : std::sin(t * std::numbers::pi);
        const qreal half = width / 2 * std::pow(swell, 0.6) + 0.15;
        const qreal angle = qDegreesToRadians(centre.angleAtPercent(t));
        const QPointF normal(std::sin(angle) * half, std::cos(angle) * half);
        const QPointF p = centre.pointAtPercent(t);
        left << p + normal;
        right.prepend(p - normal);
    }
    QPainterPath stroke;
    stroke.addPolygon(left + right);
    stroke.closeSubpath();
    return stroke;
}

QPainterPath curve(QPointF from, QPointF control, QPointF to)
{
    QPainterPath path(from);
    path.quadTo(control, to);
    return path;
}

// Three box blurs in each direction come close to a Gaussian: wet edges without a blur library.
void boxBlur(QImage& image, int radius)
{
    const int w = image.width(), h = image.height();
    std::vector<QRgb> line(std::max(w, h));
    auto pass = [&](int count, int length, auto pixel) {
        for (int n = 0; n < count; ++n) {
            for (int i = 0; i < length; ++i)
                line[i] = *pixel(n, i);
            int sum[4] = {};
            auto add = [&](QRgb c, int sign) {
                sum[0] += sign * qAlpha(c), sum[1] += sign * qRed(c);
                sum[2] += sign * qGreen(c), sum[3] += sign * qBlue(c);
            };
            for (int i = -radius; i <= radius; ++i)
                add(line[std::clamp(i, 0, length - 1)], 1);
            const int span = 2 * radius + 1;
            for (int i = 0; i < length; ++i) {
                *pixel(n, i) = qRgba(sum[1] / span, sum[2] / span, sum[3] / span, sum[0] / span);
                add(line[std::min(i + radius + 1, length - 1)], 1);
                add(line[std::max(i - radius, 0)], -1);
            }
        }
    };
    for (int k = 0; k < 3; ++k) {
        pass(h, w, [&](int y, int x) { return reinterpret_cast<QRgb*>(image.scanLine(y)) + x; });
        pass(w, h, [&](int x, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)) + x; });
    }
}

// Paints a soft patch of colour: `shape` on a layer of its own, blurred by `radius` and laid over
// the picture inside the current clip.
// The radius is in the picture's own pixels at 1×, and grows with the painter's scale.
void paintPatch(QPainter& painter, const QPainterPath& shape, const QColor& colour, int designRadius)
{
    const int radius = int(std::lround(designRadius * painter.transform().m11()));
    const QRect area = painter.transform()
                           .map(shape)
                           .boundingRect()
                           .toAlignedRect()
                           .adjusted(-3 * radius, -3 * radius, 3 * radius, 3 * radius)
                           .intersected(QRect(0, 0, painter.device()->width(), painter.device()->height()));
    if (area.isEmpty())
        return;
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-area.topLeft());
        p.setTransform(painter.transform(), true);
        p.fillPath(shape, colour);
    }
    boxBlur(layer, radius);
    painter.save();
    painter.resetTransform();
    painter.drawImage(area.topLeft(), layer);
    painter.restore();
}

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// Short streaks scattered over `region`, each lying along the feather flow given by `flow`
// (degrees, for a point); the generator is seeded so the picture is the same on every build.
void featherStreaks(QPainter& painter, const QPainterPath& region, quint32 seed, int count,
                    const std::function<qreal(QPointF)>& flow, const std::function<QColor(QPointF)>& colour,
                    qreal length, qreal width)
{
    QRandomGenerator random(seed);
    const QRectF box = region.boundingRect();
    painter.setPen(Qt::NoPen);
    for (int placed = 0, tries = 0; placed < count && tries < count * 20; ++tries) {
        const QPointF p(box.left() + random.generateDouble() * box.width(),
                        box.top() + random.generateDouble() * box.height());
        if (!region.contains(p))
            continue;
        ++placed;
        const qreal angle = qDegreesToRadians(flow(p) + (random.generateDouble() - 0.5) * 24);
        const qreal l = length * (0.6 + 0.8 * random.generateDouble());
        const QPointF along(std::cos(angle) * l, std::sin(angle) * l);
        const QPointF bend(-along.y() * 0.15, along.x() * 0.15);
        painter.setBrush(colour(p));
        painter.drawPath(brushStroke(curve(p, p + along / 2 + bend, p + along),
                                     width * (0.7 + 0.6 * random.generateDouble())));
    }
}

qreal degreesFrom(QPointF origin, QPointF p)
{
    return qRadiansToDegrees(std::atan2(p.y() - origin.y(), p.x() - origin.x()));
}

// A glossy round eye: dark ball, iris ring, the window's reflection and a pale lid rim.
void paintEye(QPainter& painter, QPointF centre, qreal radius, const QColor& iris, const QColor& rim)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(rim);
    painter.drawEllipse(centre, radius * 1.35, radius * 1.3);
    QRadialGradient ball(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
    ball.setColorAt(0, iris.lighter(140));
    ball.setColorAt(0.7, iris);
    ball.setColorAt(1, iris.darker(250));
    painter.setBrush(ball);
    painter.drawEllipse(centre, radius, radius);
    if (iris.lightness() > 60) {
        painter.setBrush(QColor(12, 10, 10));
        painter.drawEllipse(centre, radius * 0.45, radius * 0.45);
    }
    painter.setBrush(QColor(255, 255, 250, 235));
    painter.drawEllipse(centre + QPointF(-radius * 0.35, -radius * 0.38), radius * 0.28, radius * 0.24);
    painter.setBrush(QColor(255, 255, 250, 110));
    painter.drawEllipse(centre + QPointF(radius * 0.4, radius * 0.35), radius * 0.12, radius * 0.1);
}

// Wet-edge outline: a soft darker rim inside the silhouette, as paint pools at a brush's edge.
void paintRim(QPainter& painter, const QPainterPath& silhouette, const QColor& colour, qreal width)
{
    // Kept inside the silhouette: a blur spilling onto the field would leave a faint halo of
    // near-field shades that the GIF palette has no room for.
    painter.save();
    painter.setClipPath(silhouette, Qt::IntersectClip);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    paintPatch(painter, stroker.createStroke(silhouette), colour, 2);
    painter.restore();
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

// A bill tapering from its base to the tip along `centre`, shaded from `base` to `tip`.
void paintBill(QPainter& painter, const QPainterPath& centre, qreal width, const QColor& base,
               const QColor& tip)
{
    const QPainterPath bill = brushStroke(centre, width, true);
    QLinearGradient shade(centre.pointAtPercent(0), centre.pointAtPercent(1));
    shade.setColorAt(0, base);
    shade.setColorAt(0.45, tip.lighter(130));
    shade.setColorAt(1, tip);
    painter.fillPath(bill, shade);
    // The light catches the ridge; the gape is a dark line along the middle.
    painter.save();
    painter.setClipPath(bill);
    painter.translate(0, -width * 0.28);
    painter.fillPath(brushStroke(centre, width * 0.22, true), QColor(255, 250, 235, 90));
    painter.translate(0, width * 0.32);
    painter.fillPath(brushStroke(centre, width * 0.09, true), withAlpha(tip.darker(200), 170));
    painter.restore();
}

// ダイシャクシギ-like: a small streaked brown head behind a very long down-curved bill.
void paintCurlewHead(QPainter& painter)
{
    QPainterPath billLine(QPointF(128, 62));
    billLine.cubicTo(190, 60, 250, 78, 288, 128);
    paintBill(painter, billLine, 13, QColor(176, 118, 100), QColor(52, 40, 34));

    QPainterPath head(QPointF(0, 40));
    head.cubicTo(30, 42, 50, 32, 62, 20);
    head.cubicTo(78, 2, 118, 8, 128, 38);
    head.cubicTo(131, 46, 134, 52, 136, 56);
    head.lineTo(136, 68);
    head.cubicTo(128, 82, 114, 90, 100, 96);
    head.cubicTo(70, 108, 30, 124, 0, 132);
    head.closeSubpath();

    QRadialGradient base(QPointF(104, 70), 110);
    base.setColorAt(0, QColor(226, 196, 150));
    base.setColorAt(0.6, QColor(196, 158, 110));
    base.setColorAt(1, QColor(150, 112, 74));
    painter.fillPath(head, base);

    painter.save();
    painter.setClipPath(head, Qt::IntersectClip);
    paintPatch(painter, ellipse({88, 22}, 54, 22), QColor(116, 82, 52, 200), 5);
    paintPatch(painter, ellipse({108, 92}, 30, 12), QColor(246, 236, 214, 220), 5);
    paintPatch(painter, brushStroke(curve({132, 50}, {112, 34}, {78, 38}), 8), QColor(236, 216, 178), 2);
    paintPatch(painter, brushStroke(curve({134, 60}, {120, 52}, {112, 50}), 4), QColor(92, 64, 44), 1);

    const QPointF billBase(134, 62);
    featherStreaks(
        painter, head, 11, 260, [&](QPointF p) { return degreesFrom(billBase, p) + 180 + 180; },
        [](QPointF p) { return QColor(70, 46, 28, p.y() < 40 ? 210 : 150); }, 6, 1.6);
    featherStreaks(
        painter, head, 12, 90, [&](QPointF p) { return degreesFrom(billBase, p); },
        [](QPointF) { return QColor(248, 232, 200, 120); }, 5, 1.4);
    featherStreaks(
        painter, ellipse({30, 104}, 50, 30), 13, 60, [](QPointF) { return 165.0; },
        [](QPointF) { return QColor(84, 56, 34, 170); }, 9, 1.6);
    painter.restore();

    paintRim(painter, head, QColor(90, 60, 36, 150), 3);
    paintEye(painter, {110, 50}, 5.5, QColor(40, 28, 22), QColor(238, 226, 204));
}

// シロチドリ/メダイチドリ-like: round head, stubby bill, white forehead, black band through the eye.
void paintPloverHead(QPainter& painter)
{
    QPainterPath billLine(QPointF(146, 200));
    billLine.cubicTo(158, 198, 168, 199, 178, 203);
    paintBill(painter, billLine, 11, QColor(40, 36, 36), QColor(16, 14, 14));

    QPainterPath head(QPointF(0, 214));
    head.cubicTo(14, 188, 50, 156, 96, 155);
    head.cubicTo(120, 155, 144, 168, 151, 193);
    head.lineTo(151, 207);
    head.cubicTo(146, 222, 130, 232, 114, 236);
    head.cubicTo(84, 246, 40, 262, 0, 266);
    head.closeSubpath();

    QLinearGradient base(QPointF(0, 160), QPointF(0, 264));
    base.setColorAt(0, QColor(255, 255, 250));
    base.setColorAt(1, QColor(226, 226, 218));
    painter.fillPath(head, base);

    painter.save();
    painter.setClipPath(head, Qt::IntersectClip);
    QPainterPath crown(QPointF(0, 150));
    crown.lineTo(150, 150);
    crown.cubicTo(140, 168, 124, 170, 112, 176);
    crown.cubicTo(96, 184, 80, 196, 60, 206);
    crown.cubicTo(40, 214, 20, 222, 0, 226);
    crown.closeSubpath();
    paintPatch(painter, crown, QColor(176, 138, 96), 3);
    paintPatch(painter, ellipse({40, 196}, 40, 18), QColor(206, 122, 62, 190), 6);
    // The black bar across the crown, then the white forehead below it.
    paintPatch(painter, brushStroke(curve({104, 160}, {120, 156}, {146, 178}), 9), QColor(24, 20, 20), 1);
    paintPatch(painter, brushStroke(curve({150, 196}, {136, 180}, {118, 176}), 12, true),
               QColor(255, 255, 252), 2);
    QPainterPath mask(QPointF(151, 198));
    mask.cubicTo(140, 186, 120, 180, 104, 190);
    mask.cubicTo(92, 198, 88, 214, 92, 226);
    mask.cubicTo(104, 218, 114, 206, 126, 202);
    mask.cubicTo(136, 200, 144, 204, 151, 206);
    mask.closeSubpath();
    paintPatch(painter, mask, QColor(30, 24, 22), 1);
    paintPatch(painter, ellipse({24, 268}, 70, 26), QColor(212, 120, 56, 220), 6);

    const QPointF billBase(150, 200);
    featherStreaks(
        painter, crown, 21, 140, [&](QPointF p) { return degreesFrom(billBase, p) + 180 + 180; },
        [](QPointF) { return QColor(120, 86, 54, 150); }, 5, 1.4);
    featherStreaks(
        painter, crown, 22, 60, [&](QPointF p) { return degreesFrom(billBase, p); },
        [](QPointF) { return QColor(236, 212, 172, 120); }, 5, 1.2);
    featherStreaks(
        painter, ellipse({70, 236}, 60, 24), 23, 40, [](QPointF) { return 160.0; },
        [](QPointF) { return QColor(180, 180, 172, 110); }, 7, 1.3);
    painter.restore();

    paintRim(painter, head, QColor(120, 110, 96, 140), 3);
    paintEye(painter, {124, 191}, 6, QColor(34, 22, 18), QColor(40, 34, 30));
}

// キンクロハジロ-like: a large blue-black head with a purple sheen, golden eye and hanging crest.
void paintDuckHead(QPainter& painter)
{
    QPainterPath bill(QPointF(168, 318));
    bill.cubicTo(190, 326, 214, 332, 232, 334);
    bill.cubicTo(242, 335, 244, 346, 236, 350);
    bill.cubicTo(214, 352, 190, 350, 170, 348);
    bill.closeSubpath();
    QLinearGradient billShade(QPointF(0, 318), QPointF(0, 352));
    billShade.setColorAt(0, QColor(176, 190, 214));
    billShade.setColorAt(1, QColor(110, 124, 150));
    painter.fillPath(bill, billShade);
    painter.save();
    painter.setClipPath(bill, Qt::IntersectClip);
    painter.fillPath(ellipse({238, 341}, 10, 12), QColor(20, 20, 24));
    painter.fillPath(ellipse({224, 341}, 4, 14), QColor(226, 232, 240, 200));
    painter.fillPath(brushStroke(curve({172, 323}, {200, 330}, {228, 334}), 3), QColor(240, 246, 255, 110));
    painter.fillPath(brushStroke(curve({172, 342}, {200, 344}, {232, 344}), 2), QColor(40, 44, 60, 200));
    painter.restore();

    QPainterPath head(QPointF(14, 400));
    head.cubicTo(22, 372, 34, 350, 44, 330);
    head.cubicTo(52, 294, 92, 270, 132, 282);
    head.cubicTo(156, 290, 168, 304, 172, 318);
    head.lineTo(174, 348);
    head.cubicTo(164, 362, 140, 370, 122, 374);
    head.cubicTo(104, 378, 98, 390, 98, 400);
    head.closeSubpath();

    QRadialGradient base(QPointF(112, 318), 90);
    base.setColorAt(0, QColor(40, 40, 92));
    base.setColorAt(0.7, QColor(18, 20, 50));
    base.setColorAt(1, QColor(8, 8, 26));
    painter.fillPath(head, base);

    painter.save();
    painter.setClipPath(head, Qt::IntersectClip);
    paintPatch(painter, ellipse({104, 342}, 36, 22), QColor(100, 62, 150, 150), 7);
    paintPatch(painter, ellipse({112, 294}, 34, 10), QColor(60, 90, 160, 120), 5);
    featherStreaks(
        painter, head, 31, 160,
        [](QPointF p) {
            return degreesFrom({176, 330}, p) + 180 + 180;
        },
        [](QPointF p) { return p.y() < 320 ? QColor(90, 110, 190, 70) : QColor(130, 90, 190, 70); }, 9, 1.6);
    featherStreaks(
        painter, head, 32, 90, [](QPointF) { return 95.0; }, [](QPointF) { return QColor(4, 4, 16, 110); }, 8,
        1.8);
    painter.restore();

    // The crest hangs from the back of the crown in a few loose strands.
    painter.setPen(Qt::NoPen);
    const struct
    {
        QPointF from, control, to;
        qreal width;
    } strands[] = {{{76, 292}, {30, 284}, {22, 336}, 14},
                   {{74, 298}, {36, 296}, {28, 344}, 12},
                   {{76, 304}, {44, 308}, {36, 346}, 10},
                   {{72, 292}, {30, 282}, {16, 322}, 9},
                   {{74, 300}, {40, 300}, {32, 338}, 8}};
    for (const auto& s : strands)
        painter.fillPath(brushStroke(curve(s.from, s.control, s.to), s.width, true), QColor(14, 14, 38));
    for (const auto& s : strands)
        painter.fillPath(brushStroke(curve(s.from, s.control - QPointF(0, 3), s.to), s.width * 0.25, true),
                         QColor(110, 100, 190, 110));

    paintRim(painter, head, QColor(0, 0, 8, 160), 3);
    paintEye(painter, {142, 312}, 6.5, QColor(250, 204, 30), QColor(20, 20, 44));
}

} // namespace

QImage drawMenuBackground(int scale)
{
    QImage image(Width * scale, Height * scale, QImage::Format_RGB32);
    image.fill(Field);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    // Each head stays left of x = 300 so the labels on the right half sit on plain paper.
    painter.setClipRect(0, 0, 300, Height);
    paintCurlewHead(painter);
    paintPloverHead(painter);
    paintDuckHead(painter);
    return image;
}
