#pragma once

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>

#include <cstdint>

// Small geometry and pixel helpers shared by the bird painter and its scenery.
namespace paths {

// Unit vector at a counter-clockwise angle in degrees, on a y-down canvas.
QPointF direction(double degrees);
QPointF lerp(const QPointF& a, const QPointF& b, double t);
QPointF cubic(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d, double t);
double smoothstep(double edge0, double edge1, double x);

// Rounds the corners of a polygon (Chaikin's corner cutting); stays inside the hull.
QList<QPointF> rounded(const QList<QPointF>& points, bool closed, int passes = 3);
// Inserts points so that a later non-linear mapping bends straight edges too.
QList<QPointF> densified(const QList<QPointF>& points, bool closed, int steps = 6);
// A curve through every point (Catmull-Rom as cubic Béziers).
QPainterPath through(const QList<QPointF>& points, bool closed);
QPainterPath polygon(const QList<QPointF>& points, bool closed = true);

QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(const QColor& colour, int alpha);

// Box blur, applied twice (close to a Gaussian), on a premultiplied ARGB image.
void blur(QImage& image, int radius, const QRect& area);

// Deterministic pseudo-random numbers, identical on every platform.
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_state(seed * 2654435761u + 12345u) {}
    double uniform(double low = 0.0, double high = 1.0);

private:
    std::uint32_t m_state;
};

} // namespace paths
