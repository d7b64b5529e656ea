#include "PathTools.h"

#include <QtMath>

#include <algorithm>
#include <vector>

namespace paths {

QPointF direction(double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return {std::cos(r), -std::sin(r)};
}

QPointF lerp(const QPointF& a, const QPointF& b, double t)
{
    return a + (b - a) * t;
}

QPointF cubic(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d, double t)
{
    const double u = 1 - t;
    return a * (u * u * u) + b * (3 * u * u * t) + c * (3 * u * t * t) + d * (t * t * t);
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

QList<QPointF> rounded(const QList<QPointF>& points, bool closed, int passes)
{
    QList<QPointF> current = points;
    for (int pass = 0; pass < passes && current.size() > 2; ++pass) {
        QList<QPointF> next;
        const qsizetype n = current.size();
        if (!closed)
            next.append(current.first());
        const qsizetype edges = closed ? n : n - 1;
        for (qsizetype i = 0; i < edges; ++i) {
            const QPointF& a = current.at(i);
            const QPointF& b = current.at((i + 1) % n);
            next.append(a * 0.75 + b * 0.25);
            next.append(a * 0.25 + b * 0.75);
        }
        if (!closed)
            next.append(current.last());
        current = next;
    }
    return current;
}

QList<QPointF> densified(const QList<QPointF>& points, bool closed, int steps)
{
    QList<QPointF> out;
    const qsizetype n = points.size();
    const qsizetype edges = closed ? n : n - 1;
    for (qsizetype i = 0; i < edges; ++i)
        for (int s = 0; s < steps; ++s)
            out.append(lerp(points.at(i), points.at((i + 1) % n), double(s) / steps));
    if (!closed && n > 0)
        out.append(points.last());
    return out;
}

QPainterPath through(const QList<QPointF>& points, bool closed)
{
    QPainterPath path;
    const qsizetype n = points.size();
    if (n < 2)
        return path;
    auto at = [&](qsizetype i) {
        if (closed)
            return points.at((i % n + n) % n);
        return points.at(std::clamp<qsizetype>(i, 0, n - 1));
    };
    path.moveTo(points.first());
    const qsizetype segments = closed ? n : n - 1;
    for (qsizetype i = 0; i < segments; ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath polygon(const QList<QPointF>& points, bool closed)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points.at(i));
    if (closed)
        path.closeSubpath();
    return path;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(const QColor& colour, int alpha)
{
    QColor c = colour;
    c.setAlpha(alpha);
    return c;
}

namespace {

// One horizontal or vertical pass of a box blur over the area.
void boxPass(QImage& image, int radius, const QRect& area, bool horizontal)
{
    const int lines = horizontal ? area.height() : area.width();
    const int length = horizontal ? area.width() : area.height();
    const int window = 2 * radius + 1;
    std::vector<QRgb> buffer(std::size_t(length) + 2 * radius);
    for (int line = 0; line < lines; ++line) {
        auto pixel = [&](int i) -> QRgb& {
            const int x = horizontal ? area.left() + i : area.left() + line;
            const int y = horizontal ? area.top() + line : area.top() + i;
            return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
        };
        for (int i = 0; i < length + 2 * radius; ++i)
            buffer[std::size_t(i)] = pixel(std::clamp(i - radius, 0, length - 1));
        int sum[4] = {0, 0, 0, 0};
        for (int i = 0; i < window; ++i) {
            const QRgb p = buffer[std::size_t(i)];
            sum[0] += qAlpha(p), sum[1] += qRed(p), sum[2] += qGreen(p), sum[3] += qBlue(p);
        }
        for (int i = 0; i < length; ++i) {
            pixel(i) = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            const QRgb out = buffer[std::size_t(i)];
            const QRgb in = buffer[std::size_t(std::min(i + window, length + 2 * radius - 1))];
            sum[0] += qAlpha(in) - qAlpha(out), sum[1] += qRed(in) - qRed(out);
            sum[2] += qGreen(in) - qGreen(out), sum[3] += qBlue(in) - qBlue(out);
        }
    }
}

} // namespace

void blur(QImage& image, int radius, const QRect& area)
{
    const QRect region = area.intersected(image.rect());
    if (radius < 1 || region.isEmpty())
        return;
    for (int pass = 0; pass < 2; ++pass) {
        boxPass(image, radius, region, true);
        boxPass(image, radius, region, false);
    }
}

double Random::uniform(double low, double high)
{
    // xorshift32: small, fast and the same everywhere.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return low + (high - low) * (double(m_state) / 4294967296.0);
}

} // namespace paths
