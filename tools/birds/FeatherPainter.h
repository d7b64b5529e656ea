#pragma once

#include "BirdGeometry.h"
#include "Plumage.h"

class QPainter;

// The feather structure of the folded wing and of the tail, after the plumage's
// wing pattern.
class FeatherPainter
{
public:
    FeatherPainter(const BirdGeometry& geometry, const Plumage& colours, double pixel, int seed);

    void paintWing(QPainter& p) const;
    void paintTail(QPainter& p) const;

private:
    struct Look
    {
        QColor fill, edge;
        double edgeShare = 0.2;
    };

    void paintRow(QPainter& p, int count, QPointF from, QPointF to, QPointF step, double halfWidth,
                  const Look& look, bool pointed) const;
    void paintFeather(QPainter& p, QPointF from, QPointF to, double halfWidth, const Look& look,
                      bool pointed) const;
    QPainterPath featherPath(QPointF from, QPointF to, double halfWidth, bool pointed,
                             double length = 1) const;
    Look lookOf(const QColor& base) const;

    const BirdGeometry& m_geometry;
    const Plumage& m_colours;
    double m_pixel;
    int m_seed;
};
