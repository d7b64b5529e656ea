#include "Plumage.h"

#include <QRectF>

// The places below were set by eye on the build presets; a species row moves a
// mark with the generic helpers when its bird differs.

namespace mark {

Mark ellipse(Frame frame, double x, double y, double rx, double ry, const QColor& colour, bool soft)
{
    return {frame, MarkKind::Ellipse, {{x, y}, {rx, ry}}, 0, colour, soft};
}

Mark blob(Frame frame, const QList<QPointF>& outline, const QColor& colour, bool soft)
{
    return {frame, MarkKind::Blob, outline, 0, colour, soft};
}

Mark stroke(Frame frame, const QList<QPointF>& line, double width, const QColor& colour, bool soft)
{
    return {frame, MarkKind::Stroke, line, width, colour, soft};
}

Mark texture(Frame frame, MarkKind kind, const QRectF& area, const QColor& colour, int count, double size)
{
    return {frame, kind, {area.topLeft(), area.bottomRight()}, size, colour, false, count};
}

Mark cap(const QColor& colour, double lower)
{
    return blob(Frame::Head,
                {{1.3, lower + 0.12},
                 {0.3, lower},
                 {-0.6, lower + 0.05},
                 {-1.5, lower + 0.4},
                 {-1.7, -1.7},
                 {1.3, -1.7}},
                colour);
}

Mark hood(const QColor& colour, double reach)
{
    return ellipse(Frame::Head, 0.1, 0.1, 1.45 * reach, 1.35 * reach, colour);
}

Mark eyeStripe(const QColor& colour, double width)
{
    return stroke(Frame::Head, {{1.2, 0.06}, {0.3, -0.13}, {-0.4, -0.08}, {-1.0, 0.05}}, width, colour);
}

Mark lores(const QColor& colour, double width)
{
    return stroke(Frame::Head, {{1.2, 0.08}, {0.75, -0.04}, {0.35, -0.13}}, width, colour);
}

Mark supercilium(const QColor& colour, double width)
{
    return stroke(Frame::Head, {{1.05, -0.3}, {0.35, -0.5}, {-0.3, -0.46}, {-0.85, -0.3}}, width, colour);
}

Mark cheek(const QColor& colour, double size)
{
    return ellipse(Frame::Head, -0.05, 0.35, 0.55 * size, 0.36 * size, colour);
}

Mark throatPatch(const QColor& colour)
{
    return blob(Frame::Head, {{1.3, 0.3}, {0.5, 0.42}, {-0.2, 0.65}, {-0.3, 1.7}, {1.3, 1.7}}, colour);
}

Mark earSpot(const QColor& colour, double size)
{
    return ellipse(Frame::Head, -0.35, 0.02, size, size * 1.1, colour);
}

Mark moustache(const QColor& colour, double width)
{
    return stroke(Frame::Head, {{0.8, 0.2}, {0.45, 0.55}, {0.3, 1.15}}, width, colour);
}

Mark forehead(const QColor& colour, double size)
{
    return ellipse(Frame::Head, 1.0, -0.35, size, size * 0.8, colour);
}

Mark crownStripe(const QColor& colour)
{
    return stroke(Frame::Head, {{0.9, -0.9}, {0.0, -1.02}, {-0.9, -0.9}}, 0.22, colour);
}

Mark mask(const QColor& colour)
{
    return blob(Frame::Head,
                {{1.25, -0.12}, {0.35, -0.42}, {-0.5, -0.3}, {-0.75, 0.2}, {0.2, 0.32}, {1.25, 0.25}},
                colour);
}

Mark foreneck(const QColor& colour, double from, double to)
{
    return blob(Frame::Neck, {{from, 0.05}, {to, 0.05}, {to, 1.8}, {from, 1.8}}, colour);
}

Mark hindneck(const QColor& colour, double from, double to)
{
    return blob(Frame::Neck, {{from, -1.8}, {to, -1.8}, {to, -0.1}, {from, -0.1}}, colour);
}

Mark neckBand(const QColor& colour, double from, double to)
{
    return blob(Frame::Neck, {{from, -1.8}, {to, -1.8}, {to, 1.8}, {from, 1.8}}, colour);
}

Mark collar(const QColor& colour, double at, double width)
{
    return neckBand(colour, at - width / 2, at + width / 2);
}

Mark breast(const QColor& colour, double size)
{
    return ellipse(Frame::Body, 0.8, -0.05, 0.6 * size, 0.95 * size, colour);
}

Mark breastBand(const QColor& colour, double width)
{
    return stroke(Frame::Body, {{0.3, -1.1}, {0.78, -0.4}, {1.2, 0.05}}, width, colour);
}

Mark belly(const QColor& colour, double size)
{
    return ellipse(Frame::Body, 0.0, 0.9, 1.05 * size, 0.65 * size, colour);
}

Mark flank(const QColor& colour, double size)
{
    return ellipse(Frame::Body, -0.1, 0.3, 0.8 * size, 0.45 * size, colour);
}

Mark rear(const QColor& colour, double from)
{
    // the border bows forward a little, following the curve of the flank
    return blob(Frame::Body,
                {{from - 0.04, -1.8}, {from + 0.04, -0.3}, {from - 0.1, 1.8}, {-2.5, 1.8}, {-2.5, -1.8}},
                colour);
}

Mark back(const QColor& colour, double lower)
{
    return blob(Frame::Body, {{-2.5, -2.5}, {1.6, -2.5}, {1.6, lower - 0.25}, {-2.5, lower + 0.1}}, colour);
}

Mark vent(const QColor& colour)
{
    return ellipse(Frame::Body, -0.85, 0.55, 0.4, 0.45, colour);
}

} // namespace mark
