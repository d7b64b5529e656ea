#pragma once

#include "BirdGeometry.h"
#include "Species.h"

#include <QImage>
#include <QTransform>

#include <functional>

class QPainter;

// Paints one species' picture: the bird in its plumage on a simple background.
// Everything is drawn at twice the picture's size and scaled down at the end.
class BirdPainter
{
public:
    static constexpr int Oversample = 2;

    explicit BirdPainter(const Species& species);

    // The finished picture at the species' own size, and, when asked, at twice
    // that size (the canvas before it is scaled down) for larger windows.
    QImage paint(QImage* twice = nullptr);

    // Canvas pixels per bird unit: the scale that fills the picture, made smaller
    // so the bird keeps its size beside the largest of its family.
    static double familyScale(const Species& species);
    // The picture's size: the species' own, trimmed around a bird drawn small
    // beside its family, but never below SmallestPicture.
    static QSize pictureSize(const Species& species);
    static constexpr QSize SmallestPicture{200, 182};

private:
    void fitToCanvas();
    QImage paintBird();
    void paintLegs(QPainter& p);
    void paintTail(QPainter& p);
    void paintCrest(QPainter& p);
    void paintRuff(QPainter& p);
    void paintPlumes(QPainter& p);
    void paintSickles(QPainter& p);
    void paintBody(QPainter& p);
    void paintBodyColours(QPainter& p);
    void paintFeatherTexture(QPainter& p, const QPainterPath& area);
    void paintWing(QPainter& p);
    void paintBill(QPainter& p);
    void paintEye(QPainter& p);
    void paintMarks(QPainter& p, QList<Frame> frames, bool soft);
    void paintMark(QPainter& p, const Mark& mark, int seed);
    void paintTexture(QPainter& p, const Mark& mark, int seed);
    // A transparent canvas-sized layer, painted in bird units.
    QImage layer(const std::function<void(QPainter&)>& draw) const;
    // Paints into a layer, blurs it and lays it over the target inside the clip.
    void softLayer(QPainter& target, const QPainterPath& clip, int radius,
                   const std::function<void(QPainter&)>& draw);
    void shade(QPainter& p, const QPainterPath& clip, const QPointF& light, const QPointF& dark, int rim,
               const QColor& base);
    void outline(QPainter& p, const QPainterPath& path, double alpha = 0.45);
    double pixel() const; // one canvas pixel in bird units

    Species m_species;
    Plumage m_colours; // the plumage with every unset colour filled in
    BirdGeometry m_geometry;
    QSize m_canvas;
    QTransform m_transform;
    double m_scale = 1;
};
