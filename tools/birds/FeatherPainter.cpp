#include "FeatherPainter.h"

#include "PathTools.h"

#include <QPainter>

#include <cmath>

FeatherPainter::FeatherPainter(const BirdGeometry& geometry, const Plumage& colours, double pixel, int seed)
    : m_geometry(geometry), m_colours(colours), m_pixel(pixel), m_seed(seed)
{}

QPainterPath FeatherPainter::featherPath(QPointF from, QPointF to, double halfWidth, bool pointed,
                                         double length) const
{
    constexpr int Samples = 18;
    QList<QPointF> upper, lower;
    for (int i = 0; i <= Samples; ++i) {
        const double s = double(i) / Samples;
        const double h = pointed ? halfWidth * std::sqrt(std::min(1.0, s / 0.15)) * (1 - std::pow(s, 3))
                                 : halfWidth * std::pow(std::sin(M_PI * (0.15 + 0.85 * s)), 0.45);
        const QPointF c = paths::lerp(from, paths::lerp(from, to, length), s);
        upper.append(m_geometry.map(Frame::Wing, c - QPointF(0, h)));
        lower.prepend(m_geometry.map(Frame::Wing, c + QPointF(0, h)));
    }
    return paths::polygon(upper + lower);
}

FeatherPainter::Look FeatherPainter::lookOf(const QColor& base) const
{
    switch (m_colours.pattern) {
    case WingPattern::Fringed:
    case WingPattern::Spangled:
    case WingPattern::Streaked:
        return {base, m_colours.fringe, 0.32};
    case WingPattern::Barred:
    case WingPattern::Vermiculated:
    case WingPattern::Plain:
    case WingPattern::Smooth:
        break;
    }
    return {base, base.lighter(112), 0.16};
}

void FeatherPainter::paintFeather(QPainter& p, QPointF from, QPointF to, double halfWidth, const Look& look,
                                  bool pointed) const
{
    const QPainterPath whole = featherPath(from, to, halfWidth, pointed);
    p.setPen(Qt::NoPen);
    p.setBrush(look.edge);
    p.drawPath(whole);
    p.setBrush(look.fill);
    p.drawPath(featherPath(from, to, halfWidth * (1 - look.edgeShare), pointed, 1 - look.edgeShare * 0.35));

    const WingPattern pattern = m_colours.pattern;
    const QColor dark = m_colours.wing.darker(230);
    if (pattern == WingPattern::Streaked) {
        p.setBrush(dark);
        p.drawPath(featherPath(from, to, halfWidth * 0.3, true, 0.85));
    } else if (pattern == WingPattern::Spangled) {
        // pale notches along the edges
        p.setBrush(look.edge);
        const double r = halfWidth * 0.28;
        for (double s : {0.35, 0.55, 0.75}) {
            for (double side : {-1.0, 1.0}) {
                const QPointF c = paths::lerp(from, to, s) + QPointF(0, side * halfWidth * 0.62);
                const QPointF m = m_geometry.map(Frame::Wing, c);
                const double rr = QLineF(m, m_geometry.map(Frame::Wing, c + QPointF(0, r))).length();
                p.drawEllipse(m, rr, rr);
            }
        }
    } else if (pattern == WingPattern::Barred) {
        p.setPen(QPen(dark,
                      QLineF(m_geometry.map(Frame::Wing, from),
                             m_geometry.map(Frame::Wing, from + QPointF(0, halfWidth * 0.45)))
                          .length(),
                      Qt::SolidLine, Qt::RoundCap));
        for (double s : {0.3, 0.55, 0.8}) {
            const QPointF c = paths::lerp(from, to, s);
            p.drawLine(m_geometry.map(Frame::Wing, c - QPointF(0.02, halfWidth * 0.5)),
                       m_geometry.map(Frame::Wing, c + QPointF(0.02, halfWidth * 0.5)));
        }
        p.setPen(Qt::NoPen);
    } else if (pattern == WingPattern::Vermiculated) {
        p.setPen(QPen(paths::withAlpha(dark, 70), m_pixel * 0.9));
        p.setBrush(Qt::NoBrush);
        for (int i = 1; i < 7; ++i) {
            const QPointF c = paths::lerp(from, to, i / 7.0);
            p.drawLine(m_geometry.map(Frame::Wing, c - QPointF(0.01, halfWidth * 0.8)),
                       m_geometry.map(Frame::Wing, c + QPointF(0.01, halfWidth * 0.8)));
        }
        p.setPen(Qt::NoPen);
    }
    // a faint shadow line where the feather lies over the next one
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 45), m_pixel * 1.2));
    p.drawPath(whole);
}

void FeatherPainter::paintRow(QPainter& p, int count, QPointF from, QPointF to, QPointF step,
                              double halfWidth, const Look& look, bool pointed) const
{
    for (int k = count - 1; k >= 0; --k)
        paintFeather(p, from + step * k, to + step * k, halfWidth, look, pointed);
}

void FeatherPainter::paintWing(QPainter& p) const
{
    if (m_colours.pattern == WingPattern::Smooth)
        return;
    const QColor wing = m_colours.wing;
    const Look primaries{m_colours.primaries, m_colours.primaries.lighter(125), 0.1};
    for (int k = 0; k < 5; ++k)
        paintFeather(p, {0.42 + 0.05 * k, 0.62 - 0.02 * k}, {1.0 - 0.055 * k, 0.5 - 0.04 * k}, 0.3, primaries,
                     true);
    paintRow(p, 4, {0.16, 0.7}, {0.42, 0.84}, {0.07, 0.0}, 0.17, lookOf(wing.darker(112)), false);
    paintRow(p, 3, {0.3, 0.14}, {0.66, 0.44}, {0.045, 0.1}, 0.2, lookOf(wing), false);
    paintRow(p, 6, {0.06, 0.5}, {0.2, 0.66}, {0.052, 0.0}, 0.1, lookOf(wing), false);
    paintRow(p, 6, {0.04, 0.32}, {0.14, 0.46}, {0.048, 0.0}, 0.085, lookOf(wing), false);
    paintRow(p, 5, {0.0, 0.02}, {0.2, 0.26}, {0.075, 0.0}, 0.13, lookOf(wing), false);
}

void FeatherPainter::paintTail(QPainter& p) const
{
    p.setBrush(Qt::NoBrush);
    for (double v : {-0.55, -0.18, 0.18, 0.55}) {
        p.setPen(QPen(QColor(0, 0, 0, 40), m_pixel * 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(m_geometry.map(Frame::Tail, {0.15, v * 0.7}), m_geometry.map(Frame::Tail, {0.92, v}));
        p.setPen(QPen(QColor(255, 255, 255, 30), m_pixel * 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(m_geometry.map(Frame::Tail, {0.15, v * 0.7 + 0.06}),
                   m_geometry.map(Frame::Tail, {0.9, v + 0.06}));
    }
}
