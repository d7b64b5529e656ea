#pragma once

#include <QPointF>

// How a bird is built, in side view facing right. Lengths are in "bird units":
// the body (without neck, head and tail) is 100 units long. Angles are in
// degrees, counter-clockwise as seen, so a positive angle points upwards.

enum class Stance { Standing, Swimming, Perched };
enum class BillKind { Pointed, Probe, Conical, Fine, Hooked, Duck, Spoon, Gull, Crow };
enum class TailKind { Square, Rounded, Notched, Forked, Streamers, Wedge, Pin };
enum class CrestKind { None, Plumes, Tuft, Peak, Horns, Mane, Shaggy };

struct BirdShape
{
    Stance stance = Stance::Standing;
    double depth = 52;           // body depth
    double tilt = 8;             // the body axis rises this much towards the breast
    double waterline = 0.2;      // swimming: body-frame height of the water surface
    double breastFullness = 0.1; // how much deeper the breast is than the rear
    double rearTaper = 0.22;     // how far back and belly slope in towards the tail

    double neckLength = 14;
    double neckAngle = 65;         // direction from the neck's base to the head's centre
    double neckBend = 0;           // S-bend: base tangent turns forward, top tangent back
    double neckKink = 0;           // an angle part-way up the neck, pushed forward this far
    double neckWidth = 30;         // at the base; it narrows towards the head
    QPointF neckBase{0.62, -0.45}; // body frame

    double headRadius = 12;
    double headLong = 1.1; // head ellipse length/height
    double headAngle = 0;
    QPointF eye{0.35, -0.15}; // head frame
    double eyeSize = 2.0;

    BillKind bill = BillKind::Pointed;
    double billLength = 22;
    double billDepth = 5;
    double billCurve = 0; // total turn along the bill; negative curves down
    double billDroop = 4; // angle below the head's axis

    double legLength = 40; // from the lowest point of the belly to the ground
    double legWidth = 2.6;
    double tibiaShare = 0.45;
    double toeLength = 10;

    TailKind tail = TailKind::Square;
    double tailLength = 30;
    double tailWidth = 22;
    double tailAngle = 10; // droop below the body axis

    double wingReach = 0.2;  // wing tip past the body's rear, in half body lengths
    double wingDepth = 0.35; // body-frame height of the folded wing's lower edge

    CrestKind crest = CrestKind::None;
    double crestSize = 1.0;

    // Adjustments for a species row, each returning a changed copy.
    BirdShape body(double newDepth, double newTilt) const;
    BirdShape neck(double length, double angle, double width) const;
    BirdShape bend(double amount) const;
    BirdShape kinked(double amount) const;
    BirdShape outline(double fullness, double taper) const;
    BirdShape head(double radius, double angle = 0) const;
    BirdShape eyeAt(double x, double y, double size) const;
    BirdShape billShape(BillKind kind, double length, double depth, double curve = 0, double droop = 4) const;
    BirdShape legs(double length, double width = -1, double toes = -1) const;
    BirdShape tailShape(TailKind kind, double length, double width, double angle) const;
    BirdShape wing(double reach, double lowerEdge) const;
    BirdShape crested(CrestKind kind, double size = 1.0) const;
    BirdShape floating(double line) const;
    BirdShape standing(double legLength) const;
};

// Build presets: the proportions shared by a family; species rows adjust them.
namespace build {
BirdShape heron();
BirdShape egret();
BirdShape spoonbill();
BirdShape cormorant();
BirdShape grebe();
BirdShape wader();
BirdShape plover();
BirdShape tern();
BirdShape gull();
BirdShape songbird();
BirdShape crow();
BirdShape duck();
BirdShape falcon();
BirdShape hawk();
} // namespace build
