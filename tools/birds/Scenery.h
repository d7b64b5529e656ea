#pragma once

#include "Species.h"

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// Where the bird stands in the picture, in canvas pixels.
struct SceneAnchors
{
    double baseline = 0; // under the feet, or the water surface for a swimmer
    double feetX = 0;
    QRectF bird; // the whole bird
    QRectF body;
    double scale = 1;     // canvas pixels per bird unit
    double legLength = 0; // canvas pixels
};

// The simple background behind a bird: sky, and a hint of mud, water, reeds or a branch.
class Scenery
{
public:
    Scenery(Setting setting, QSize canvas, bool summer, int seed);

    // Background, shadow or reflection; the bird is passed for its reflection.
    void paintBehind(QPainter& p, const SceneAnchors& a, const QImage& bird);
    // What lies in front of the bird: water over a wader's legs, grass blades, ripples.
    void paintFront(QPainter& p, const SceneAnchors& a);

private:
    void paintSky(QPainter& p, double horizon);
    void paintGround(QPainter& p, double horizon, const QColor& far, const QColor& near);
    void paintWaterSurface(QPainter& p, double top, const QColor& far, const QColor& near);
    void paintFarShore(QPainter& p, double y);
    void paintReflection(QPainter& p, const QImage& bird, double mirror, double opacity, bool wavy);
    void paintShadow(QPainter& p, const SceneAnchors& a);
    void paintMudDetail(QPainter& p, double horizon);
    void paintBranch(QPainter& p, const SceneAnchors& a);
    void paintFoliage(QPainter& p);
    void paintReeds(QPainter& p, const SceneAnchors& a);
    void paintPost(QPainter& p, const SceneAnchors& a);
    void paintRock(QPainter& p, const SceneAnchors& a);
    void paintGrassBlades(QPainter& p, double top, double bottom, int count, bool front,
                          const SceneAnchors& a);
    double horizonFor(const SceneAnchors& a) const;
    double waterLevel(const SceneAnchors& a) const;

    Setting m_setting;
    QSize m_canvas;
    bool m_summer;
    int m_seed;
};
