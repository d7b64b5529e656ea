#include "BirdShape.h"

BirdShape BirdShape::body(double newDepth, double newTilt) const
{
    BirdShape s = *this;
    s.depth = newDepth;
    s.tilt = newTilt;
    return s;
}

BirdShape BirdShape::neck(double length, double angle, double width) const
{
    BirdShape s = *this;
    s.neckLength = length;
    s.neckAngle = angle;
    s.neckWidth = width;
    return s;
}

BirdShape BirdShape::bend(double amount) const
{
    BirdShape s = *this;
    s.neckBend = amount;
    return s;
}

BirdShape BirdShape::kinked(double amount) const
{
    BirdShape s = *this;
    s.neckKink = amount;
    return s;
}

BirdShape BirdShape::outline(double fullness, double taper) const
{
    BirdShape s = *this;
    s.breastFullness = fullness;
    s.rearTaper = taper;
    return s;
}

BirdShape BirdShape::head(double radius, double angle) const
{
    BirdShape s = *this;
    s.headRadius = radius;
    s.headAngle = angle;
    return s;
}

BirdShape BirdShape::eyeAt(double x, double y, double size) const
{
    BirdShape s = *this;
    s.eye = {x, y};
    s.eyeSize = size;
    return s;
}

BirdShape BirdShape::billShape(BillKind kind, double length, double depth, double curve, double droop) const
{
    BirdShape s = *this;
    s.bill = kind;
    s.billLength = length;
    s.billDepth = depth;
    s.billCurve = curve;
    s.billDroop = droop;
    return s;
}

BirdShape BirdShape::legs(double length, double width, double toes) const
{
    BirdShape s = *this;
    s.legLength = length;
    if (width > 0)
        s.legWidth = width;
    if (toes > 0)
        s.toeLength = toes;
    return s;
}

BirdShape BirdShape::tailShape(TailKind kind, double length, double width, double angle) const
{
    BirdShape s = *this;
    s.tail = kind;
    s.tailLength = length;
    s.tailWidth = width;
    s.tailAngle = angle;
    return s;
}

BirdShape BirdShape::wing(double reach, double lowerEdge) const
{
    BirdShape s = *this;
    s.wingReach = reach;
    s.wingDepth = lowerEdge;
    return s;
}

BirdShape BirdShape::crested(CrestKind kind, double size) const
{
    BirdShape s = *this;
    s.crest = kind;
    s.crestSize = size;
    return s;
}

BirdShape BirdShape::floating(double line) const
{
    BirdShape s = *this;
    s.stance = Stance::Swimming;
    s.waterline = line;
    return s;
}

BirdShape BirdShape::standing(double legLength) const
{
    BirdShape s = *this;
    s.stance = Stance::Standing;
    s.legLength = legLength;
    return s;
}

namespace build {

BirdShape heron()
{
    BirdShape s;
    s.depth = 40;
    s.rearTaper = 0.36;
    s.tilt = 24;
    s.neckLength = 58;
    s.neckAngle = 80;
    s.neckBend = 40;
    s.neckWidth = 26;
    s.neckBase = {0.9, -0.05};
    s.headRadius = 9;
    s.headLong = 1.35;
    s.eye = {0.5, -0.12};
    s.eyeSize = 2.2;
    s.billLength = 44;
    s.billDepth = 6.5;
    s.billDroop = 3;
    s.legLength = 92;
    s.legWidth = 3.4;
    s.tibiaShare = 0.45;
    s.toeLength = 16;
    s.tail = TailKind::Rounded;
    s.tailLength = 12;
    s.tailWidth = 16;
    s.tailAngle = 24;
    s.wingReach = 0.12;
    s.wingDepth = 0.5;
    return s;
}

BirdShape egret()
{
    BirdShape s = heron();
    s.depth = 30;
    s.rearTaper = 0.42;
    s.neckLength = 78;
    s.neckWidth = 14;
    s.neckBend = 62;
    s.headRadius = 7;
    s.billLength = 40;
    s.billDepth = 4.8;
    s.legLength = 100;
    s.legWidth = 2.8;
    return s;
}

BirdShape spoonbill()
{
    BirdShape s = heron();
    s.depth = 46;
    s.tilt = 12;
    s.neckLength = 46;
    s.neckAngle = 62;
    s.neckBend = 25;
    s.neckWidth = 22;
    s.headRadius = 9.5;
    s.headLong = 1.2;
    s.eye = {0.4, -0.15};
    s.bill = BillKind::Spoon;
    s.billLength = 52;
    s.billDepth = 5;
    s.billDroop = 18;
    s.legLength = 66;
    s.legWidth = 3.6;
    s.tailAngle = 15;
    s.tailLength = 10;
    s.wingReach = 0.05;
    return s;
}

BirdShape cormorant()
{
    BirdShape s;
    s.stance = Stance::Perched;
    s.depth = 40;
    s.tilt = 52;
    s.neckLength = 40;
    s.neckAngle = 70;
    s.neckBend = 30;
    s.neckWidth = 22;
    s.headRadius = 10;
    s.headLong = 1.3;
    s.eye = {0.45, -0.15};
    s.eyeSize = 2.4;
    s.bill = BillKind::Hooked;
    s.billLength = 30;
    s.billDepth = 5.5;
    s.billDroop = 2;
    s.legLength = 12;
    s.legWidth = 4;
    s.toeLength = 14;
    s.tail = TailKind::Rounded;
    s.tailLength = 44;
    s.tailWidth = 18;
    s.tailAngle = 12;
    s.wingReach = 0.1;
    s.wingDepth = 0.45;
    return s;
}

BirdShape grebe()
{
    BirdShape s;
    s.stance = Stance::Swimming;
    s.waterline = 0.12;
    s.depth = 52;
    s.tilt = 0;
    s.neckLength = 18;
    s.neckAngle = 82;
    s.neckWidth = 28;
    s.headRadius = 11;
    s.headLong = 1.15;
    s.eye = {0.35, -0.15};
    s.eyeSize = 2.2;
    s.billLength = 15;
    s.billDepth = 4.5;
    s.tail = TailKind::Rounded;
    s.tailLength = 8;
    s.tailWidth = 22;
    s.tailAngle = -25;
    s.wingReach = -0.3;
    s.wingDepth = -0.3;
    return s;
}

BirdShape wader()
{
    BirdShape s;
    s.depth = 40;
    s.breastFullness = 0.06;
    s.rearTaper = 0.4;
    s.tilt = 8;
    s.neckLength = 17;
    s.neckAngle = 50;
    s.neckWidth = 26;
    s.headRadius = 13;
    s.eye = {0.3, -0.15};
    s.eyeSize = 2.5;
    s.bill = BillKind::Probe;
    s.billLength = 30;
    s.billDepth = 4;
    s.legLength = 42;
    s.legWidth = 2.6;
    s.tailLength = 18;
    s.tailWidth = 15;
    s.tailAngle = 2;
    s.wingReach = 0.28;
    s.wingDepth = 0.25;
    return s;
}

BirdShape plover()
{
    BirdShape s = wader();
    s.depth = 52;
    s.breastFullness = 0.18;
    s.rearTaper = 0.3;
    s.tilt = 6;
    s.neckLength = 11;
    s.neckAngle = 60;
    s.neckWidth = 34;
    s.headRadius = 16.5;
    s.headLong = 1.04;
    s.eye = {0.28, -0.12};
    s.eyeSize = 3.3;
    s.bill = BillKind::Pointed;
    s.billLength = 11;
    s.billDepth = 4.6;
    s.billDroop = 2;
    s.legLength = 36;
    s.legWidth = 2.8;
    s.tailLength = 20;
    s.wingReach = 0.2;
    return s;
}

BirdShape tern()
{
    BirdShape s;
    s.depth = 38;
    s.rearTaper = 0.42;
    s.tilt = 10;
    s.neckLength = 10;
    s.neckAngle = 55;
    s.neckWidth = 26;
    s.headRadius = 12;
    s.headLong = 1.2;
    s.eye = {0.35, -0.12};
    s.billLength = 26;
    s.billDepth = 5.5;
    s.billDroop = 5;
    s.legLength = 12;
    s.legWidth = 2.4;
    s.toeLength = 8;
    s.tail = TailKind::Forked;
    s.tailLength = 40;
    s.tailWidth = 18;
    s.tailAngle = -4;
    s.wingReach = 0.85;
    s.wingDepth = 0.35;
    return s;
}

BirdShape gull()
{
    BirdShape s;
    s.depth = 46;
    s.breastFullness = 0.14;
    s.rearTaper = 0.36;
    s.tilt = 10;
    s.neckLength = 14;
    s.neckAngle = 62;
    s.neckWidth = 34;
    s.headRadius = 13;
    s.headLong = 1.2;
    s.eye = {0.38, -0.2};
    s.eyeSize = 2.3;
    s.bill = BillKind::Gull;
    s.billLength = 24;
    s.billDepth = 6.5;
    s.billDroop = 3;
    s.legLength = 36;
    s.legWidth = 3.2;
    s.toeLength = 12;
    s.tailLength = 18;
    s.tailWidth = 20;
    s.tailAngle = -4;
    s.wingReach = 0.7;
    s.wingDepth = 0.4;
    return s;
}

BirdShape songbird()
{
    BirdShape s;
    s.stance = Stance::Perched;
    s.depth = 60;
    s.breastFullness = 0.16;
    s.rearTaper = 0.3;
    s.tilt = 32;
    s.neckLength = 5;
    s.neckAngle = 60;
    s.neckWidth = 48;
    s.neckBase = {0.55, -0.4};
    s.headRadius = 20;
    s.headLong = 1.06;
    s.eye = {0.3, -0.12};
    s.eyeSize = 3.2;
    s.bill = BillKind::Fine;
    s.billLength = 12;
    s.billDepth = 5;
    s.billDroop = 2;
    s.legLength = 14;
    s.legWidth = 2.4;
    s.toeLength = 9;
    s.tail = TailKind::Notched;
    s.tailLength = 55;
    s.tailWidth = 22;
    s.tailAngle = 18;
    s.wingReach = 0.2;
    s.wingDepth = 0.5;
    return s;
}

BirdShape crow()
{
    BirdShape s = songbird();
    s.stance = Stance::Standing;
    s.depth = 56;
    s.tilt = 18;
    s.neckLength = 9;
    s.neckWidth = 40;
    s.headRadius = 16;
    s.headLong = 1.12;
    s.eyeSize = 2.8;
    s.bill = BillKind::Crow;
    s.billLength = 30;
    s.billDepth = 10;
    s.legLength = 38;
    s.legWidth = 4;
    s.toeLength = 12;
    s.tail = TailKind::Rounded;
    s.tailLength = 50;
    s.tailAngle = 12;
    s.wingReach = 0.35;
    s.wingDepth = 0.45;
    return s;
}

BirdShape duck()
{
    BirdShape s;
    s.stance = Stance::Swimming;
    s.waterline = 0.08;
    s.depth = 62;
    s.tilt = -3;
    s.neckLength = 21;
    s.neckAngle = 84;
    s.neckWidth = 38;
    s.neckBase = {0.56, -0.66};
    s.headRadius = 14;
    s.headLong = 1.18;
    s.eye = {0.22, -0.22};
    s.eyeSize = 2.2;
    s.bill = BillKind::Duck;
    s.billLength = 24;
    s.billDepth = 8;
    s.billDroop = 12;
    s.tail = TailKind::Wedge;
    s.tailLength = 15;
    s.tailWidth = 9;
    s.tailAngle = -8;
    s.wingReach = 0;
    s.wingDepth = -0.12;
    return s;
}

BirdShape falcon()
{
    BirdShape s;
    s.stance = Stance::Perched;
    s.depth = 54;
    s.tilt = 64;
    s.neckLength = 6;
    s.neckAngle = 80;
    s.neckWidth = 42;
    s.neckBase = {0.6, -0.35};
    s.headRadius = 15;
    s.headLong = 1.08;
    s.eye = {0.3, -0.12};
    s.eyeSize = 3.4;
    s.bill = BillKind::Hooked;
    s.billLength = 12;
    s.billDepth = 9;
    s.billDroop = 12;
    s.legLength = 16;
    s.legWidth = 4.2;
    s.toeLength = 11;
    s.tailLength = 52;
    s.tailWidth = 24;
    s.tailAngle = 4;
    s.wingReach = 0.55;
    s.wingDepth = 0.55;
    return s;
}

BirdShape hawk()
{
    BirdShape s = falcon();
    s.depth = 50;
    s.tilt = 58;
    s.headRadius = 13.5;
    s.headLong = 1.2;
    s.billLength = 15;
    s.tailLength = 58;
    s.wingReach = 0.45;
    return s;
}

} // namespace build
