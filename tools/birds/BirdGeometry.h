#pragma once

#include "BirdShape.h"
#include "Plumage.h"

#include <QList>
#include <QPainterPath>
#include <QRectF>

// The outline of every part of one bird, in bird units facing right, and the
// mapping from each part's frame to bird units.
class BirdGeometry
{
public:
    struct Leg
    {
        QPointF hip, heel, foot;
        bool far = false;
    };

    explicit BirdGeometry(const BirdShape& shape);

    QPointF map(Frame frame, const QPointF& p) const;
    // Length of one unit across the frame, for stroke widths.
    double unit(Frame frame) const;
    // Direction of the bill at a point along it, in degrees.
    double billAngle(double along) const;

    const BirdShape& shape() const { return m_shape; }
    const QPainterPath& silhouette() const { return m_silhouette; }
    const QPainterPath& body() const { return m_body; }
    const QPainterPath& headOutline() const { return m_head; }
    const QPainterPath& tail() const { return m_tail; }
    const QPainterPath& wing() const { return m_wing; }
    const QPainterPath& bill() const { return m_bill; }
    const QPainterPath& crest() const { return m_crest; }
    const QList<Leg>& legs() const { return m_legs; }
    QPointF headCentre() const { return m_headCentre; }
    QPointF eye() const { return map(Frame::Head, m_shape.eye); }
    // Standing and perched: the line under the feet. Swimming: the water surface.
    double baseline() const { return m_baseline; }
    QRectF bounds() const;

private:
    void buildBody();
    void buildDuckBody();
    void buildNeckAndHead();
    void buildTail();
    void buildWing();
    void buildBill();
    void buildCrest();
    void buildLegs();
    QPointF neckPoint(double t) const;
    QPointF neckNormal(double t) const;
    double neckHalfWidth(double t, bool front) const;
    QPointF wingEdge(bool upper, double u) const;

    BirdShape m_shape;
    QPointF m_forward, m_down; // body axes
    QPointF m_neck[4];         // Bézier control points of the neck's centre line
    QPointF m_headCentre;
    QPointF m_tailBase;
    QPointF m_wingTop[4], m_wingBottom[4];
    // The bill, sampled: centre line, unit normal (down) and the two half-depths.
    QList<QPointF> m_billCentre, m_billNormal;
    QList<double> m_billUpper, m_billLower;
    QPainterPath m_body, m_neckPath, m_head, m_silhouette, m_tail, m_wing, m_bill, m_crest;
    QList<Leg> m_legs;
    double m_baseline = 0;
};
