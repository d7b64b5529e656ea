#include "BirdGeometry.h"

#include "PathTools.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

using paths::direction;

namespace {

constexpr double HalfLength = 50; // the body is 100 units long
constexpr int BillSamples = 48;

// Perpendicular pointing to the "down" side of a direction given in degrees.
QPointF downOf(double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return {std::sin(r), std::cos(r)};
}

QPainterPath mappedOutline(const BirdGeometry& g, Frame frame, const QList<QPointF>& points, int passes = 3)
{
    QList<QPointF> outline = paths::rounded(paths::densified(points, true, 4), true, passes);
    for (QPointF& p : outline)
        p = g.map(frame, p);
    return paths::polygon(outline);
}

} // namespace

BirdGeometry::BirdGeometry(const BirdShape& shape) : m_shape(shape)
{
    m_forward = direction(shape.tilt);
    m_down = downOf(shape.tilt);
    buildBody();
    buildNeckAndHead();
    buildTail();
    buildWing();
    buildBill();
    buildCrest();
    buildLegs();
}

QPointF BirdGeometry::map(Frame frame, const QPointF& p) const
{
    switch (frame) {
    case Frame::Body:
        return m_forward * (p.x() * HalfLength) + m_down * (p.y() * m_shape.depth / 2);
    case Frame::Head: {
        const double r = m_shape.headRadius;
        return m_headCentre + direction(m_shape.headAngle) * (p.x() * r) +
               downOf(m_shape.headAngle) * (p.y() * r);
    }
    case Frame::Neck: {
        const double t = std::clamp(p.x(), -0.2, 1.2);
        return neckPoint(t) + neckNormal(t) * (p.y() * neckHalfWidth(t, p.y() >= 0));
    }
    case Frame::Wing:
        return paths::lerp(wingEdge(true, p.x()), wingEdge(false, p.x()), p.y());
    case Frame::Tail: {
        const double angle = m_shape.tilt + 180 + m_shape.tailAngle;
        const double half = m_shape.tailWidth / 2;
        return m_tailBase + direction(angle) * (p.x() * m_shape.tailLength) - downOf(angle) * (p.y() * half);
    }
    case Frame::Bill: {
        const double at = std::clamp(p.x(), 0.0, 1.0) * BillSamples;
        const int i = std::min(int(at), BillSamples - 1);
        const double f = at - i;
        const QPointF c = paths::lerp(m_billCentre.at(i), m_billCentre.at(i + 1), f);
        const QPointF n = paths::lerp(m_billNormal.at(i), m_billNormal.at(i + 1), f);
        const double half = p.y() < 0 ? m_billUpper.at(i) * (1 - f) + m_billUpper.at(i + 1) * f
                                      : m_billLower.at(i) * (1 - f) + m_billLower.at(i + 1) * f;
        return c + n * (p.y() * half);
    }
    }
    return p;
}

double BirdGeometry::unit(Frame frame) const
{
    switch (frame) {
    case Frame::Body:
        return m_shape.depth / 2;
    case Frame::Head:
        return m_shape.headRadius;
    case Frame::Neck:
        return neckHalfWidth(0.5, true);
    case Frame::Wing:
        return QLineF(wingEdge(true, 0.4), wingEdge(false, 0.4)).length();
    case Frame::Tail:
        return m_shape.tailWidth / 2;
    case Frame::Bill:
        return m_shape.billDepth / 2;
    }
    return 1;
}

double BirdGeometry::billAngle(double along) const
{
    const int i = std::clamp(int(along * BillSamples), 0, BillSamples - 1);
    const QPointF d = m_billCentre.at(i + 1) - m_billCentre.at(i);
    return qRadiansToDegrees(std::atan2(-d.y(), d.x()));
}

QRectF BirdGeometry::bounds() const
{
    QRectF r = m_silhouette.boundingRect().united(m_tail.boundingRect()).united(m_wing.boundingRect());
    r = r.united(m_bill.boundingRect());
    if (!m_crest.isEmpty())
        r = r.united(m_crest.boundingRect());
    for (const Leg& leg : m_legs) {
        const double toe = m_shape.toeLength;
        r = r.united(QRectF(leg.foot.x() - toe * 0.6, leg.foot.y() - 2, toe * 1.6, 4));
    }
    return r;
}

// A dabbling or diving duck afloat: a full, rounded breast, a long back that
// dips a little behind the neck and then rises to the cocked tail, and under
// the tail a slope running down into the water.
void BirdGeometry::buildDuckBody()
{
    const QList<QPointF> hull{{0.96, 0.55},  {1.08, 0.05}, {1.0, -0.36},  {0.8, -0.64},  {0.5, -0.8},
                              {0.1, -0.86},  {-0.4, -0.8}, {-0.75, -0.7}, {-0.96, -0.6}, {-1.1, -0.45},
                              {-1.1, -0.25}, {-0.96, 0.0}, {-0.75, 0.3},  {-0.3, 0.65},  {0.4, 0.8}};
    m_body = mappedOutline(*this, Frame::Body, hull, 4);
}

void BirdGeometry::buildBody()
{
    if (m_shape.bill == BillKind::Duck && m_shape.stance == Stance::Swimming) {
        buildDuckBody();
        return;
    }
    QList<QPointF> outline;
    constexpr int Samples = 120;
    for (int i = 0; i < Samples; ++i) {
        const double t = 2 * M_PI * i / Samples;
        const double x = std::cos(t);
        double y = std::sin(t) * (1 + m_shape.breastFullness * x); // the breast is fuller than the rear
        if (y < 0)
            y *= 0.93; // and the back flatter than the belly
        const double rear = std::max(0.0, -x);
        const double taper = m_shape.rearTaper;
        y *= 1 - (y < 0 ? taper : taper * 0.55) * rear * rear; // both slope in towards the tail
        outline.append(map(Frame::Body, {x, y}));
    }
    m_body = paths::polygon(outline);
}

QPointF BirdGeometry::neckPoint(double t) const
{
    const QPointF p = paths::cubic(m_neck[0], m_neck[1], m_neck[2], m_neck[3], t);
    if (m_shape.neckKink == 0)
        return p;
    // a narrow bump on the centre line: the neck bends there at an angle, not in a curve
    constexpr double At = 0.42, Span = 0.3;
    const double k = std::max(0.0, 1 - std::abs(t - At) / Span);
    return p + downOf(m_shape.neckAngle) * (m_shape.neckKink * k * k * (3 - 2 * k));
}

QPointF BirdGeometry::neckNormal(double t) const
{
    const double h = 0.01;
    const QPointF d = neckPoint(std::min(t + h, 1.0)) - neckPoint(std::max(t - h, 0.0));
    const double len = std::hypot(d.x(), d.y());
    if (len < 1e-9)
        return downOf(m_shape.neckAngle);
    return {-d.y() / len, d.x() / len};
}

// The fore side widens into the breast; the hind side stays slim so that the nape
// runs into the back without a hump.
double BirdGeometry::neckHalfWidth(double t, bool front) const
{
    const double base = m_shape.neckWidth / 2;
    const double top = std::min(base, m_shape.headRadius * 0.66);
    if (!front)
        return top;
    return base + (top - base) * paths::smoothstep(0, 1, t);
}

void BirdGeometry::buildNeckAndHead()
{
    const BirdShape& s = m_shape;
    const QPointF base = map(Frame::Body, s.neckBase);
    m_headCentre = base + direction(s.neckAngle) * s.neckLength;
    const QPointF tangent = direction(s.neckAngle - s.neckBend);
    m_neck[0] = base;
    m_neck[1] = base + tangent * (0.45 * s.neckLength);
    m_neck[2] = m_headCentre - tangent * (0.45 * s.neckLength);
    m_neck[3] = m_headCentre;

    // The tube stops inside the head so that its square end never shows.
    double end = 1;
    while (end > 0.5 && QLineF(neckPoint(end), m_headCentre).length() < 0.3 * s.headRadius)
        end -= 0.01;
    QList<QPointF> front, hind;
    constexpr int Samples = 28;
    for (int i = 0; i <= Samples; ++i) {
        const double t = end * i / Samples;
        front.append(map(Frame::Neck, {t, 1}));
        hind.prepend(map(Frame::Neck, {t, -1}));
    }
    m_neckPath = paths::polygon(front + hind);
    const double cap = neckHalfWidth(end, true);
    m_neckPath.addEllipse(neckPoint(end), cap, cap);

    QList<QPointF> head;
    for (int i = 0; i < 72; ++i) {
        const double t = 2 * M_PI * i / 72;
        head.append(map(Frame::Head, {s.headLong * std::cos(t), std::sin(t)}));
    }
    m_head = paths::polygon(head);
    m_silhouette = m_body.united(m_neckPath).united(m_head).simplified();
}

void BirdGeometry::buildTail()
{
    const bool duck = m_shape.bill == BillKind::Duck && m_shape.stance == Stance::Swimming;
    m_tailBase = map(Frame::Body, duck ? QPointF(-0.98, -0.48) : QPointF(-0.8, -0.12));
    QList<QPointF> shape;
    switch (m_shape.tail) {
    case TailKind::Square:
        shape = {{0, -1}, {1, -0.95}, {1.02, 0}, {1, 0.95}, {0, 1}};
        break;
    case TailKind::Rounded:
        shape = {{0, -1}, {0.85, -0.95}, {1.0, -0.5}, {1.04, 0}, {1.0, 0.5}, {0.85, 0.95}, {0, 1}};
        break;
    case TailKind::Notched:
        shape = {{0, -1}, {1, -1.05}, {0.93, 0}, {1, 1.05}, {0, 1}};
        break;
    case TailKind::Forked:
        shape = {{0, -1}, {1.0, -0.75}, {0.6, 0}, {1.0, 0.75}, {0, 1}};
        break;
    case TailKind::Streamers:
        shape = {{0, -1},    {0.65, -0.8}, {1.8, -0.3}, {0.7, -0.15}, {0.55, 0},
                 {0.7, 0.2}, {1.6, 0.45},  {0.65, 0.8}, {0, 1}};
        break;
    case TailKind::Wedge:
        shape = {{0, -1}, {0.78, -0.75}, {1, 0}, {0.78, 0.75}, {0, 1}};
        break;
    case TailKind::Pin:
        shape = {{0, -1},      {0.72, -0.85}, {0.85, -0.3}, {1.75, -0.06},
                 {1.78, 0.04}, {0.85, 0.25},  {0.72, 0.85}, {0, 1}};
        break;
    }
    const bool pointed = m_shape.tail == TailKind::Streamers || m_shape.tail == TailKind::Pin;
    m_tail = mappedOutline(*this, Frame::Tail, shape, pointed ? 1 : 2);
}

QPointF BirdGeometry::wingEdge(bool upper, double u) const
{
    const QPointF* c = upper ? m_wingTop : m_wingBottom;
    return paths::cubic(c[0], c[1], c[2], c[3], std::clamp(u, 0.0, 1.0));
}

void BirdGeometry::buildWing()
{
    const BirdShape& s = m_shape;
    const QPointF tip = map(Frame::Body, {-0.88, -0.4}) +
                        direction(s.tilt + 180 + s.tailAngle * 0.6) * (s.wingReach * HalfLength);
    const double lower = s.wingDepth;
    if (s.bill == BillKind::Duck && s.stance == Stance::Swimming) {
        // Afloat, the flank feathers hide most of the wing: what shows are the
        // scapulars and tertials lying along the back, tapering to the tail.
        const QPointF duckTip = map(Frame::Body, {-0.92 - 0.3 * s.wingReach, -0.56});
        m_wingTop[0] = map(Frame::Body, {0.42, -0.8});
        m_wingTop[1] = map(Frame::Body, {0.05, -0.9});
        m_wingTop[2] = map(Frame::Body, {-0.6, -0.8});
        m_wingTop[3] = duckTip;
        m_wingBottom[0] = map(Frame::Body, {0.4, -0.7});
        m_wingBottom[1] = map(Frame::Body, {0.1, lower + 0.12});
        m_wingBottom[2] = map(Frame::Body, {-0.6, lower + 0.05});
        m_wingBottom[3] = duckTip;
    } else {
        m_wingTop[0] = map(Frame::Body, {0.5, -0.62});
        m_wingTop[1] = map(Frame::Body, {0.1, -1.04});
        m_wingTop[2] = map(Frame::Body, {-0.7, -0.95});
        m_wingTop[3] = tip;
        m_wingBottom[0] = map(Frame::Body, {0.58, -0.62 + (lower + 0.62) * 0.45});
        m_wingBottom[1] = map(Frame::Body, {0.2, lower + 0.08});
        m_wingBottom[2] = map(Frame::Body, {-0.65, lower * 0.9});
        m_wingBottom[3] = tip;
    }

    QList<QPointF> outline;
    const bool tucked = s.bill == BillKind::Duck && s.stance == Stance::Swimming;
    const QPointF frontControl =
        (m_wingTop[0] + m_wingBottom[0]) / 2 + m_forward * ((tucked ? 0.05 : 0.16) * HalfLength);
    for (int i = 0; i < 8; ++i) {
        const double t = i / 8.0;
        outline.append(paths::lerp(paths::lerp(m_wingBottom[0], frontControl, t),
                                   paths::lerp(frontControl, m_wingTop[0], t), t));
    }
    for (int i = 0; i <= 36; ++i)
        outline.append(wingEdge(true, i / 36.0));
    for (int i = 35; i > 0; --i)
        outline.append(wingEdge(false, i / 36.0));
    m_wing = paths::polygon(outline);
}

void BirdGeometry::buildBill()
{
    const BirdShape& s = m_shape;
    const bool duck = s.bill == BillKind::Duck;
    QPointF c = map(Frame::Head, {s.headLong * (duck ? 0.84 : 0.93), duck ? 0.04 : 0.1});
    const double start = s.headAngle - s.billDroop;
    const double hookFrom = std::clamp(1 - 1.6 * s.billDepth / s.billLength, 0.25, 0.9);
    const double d = s.billDepth;
    for (int i = 0; i <= BillSamples; ++i) {
        const double u = double(i) / BillSamples;
        double angle = start + s.billCurve * u;
        double up = 0.5 * std::pow(1 - u, 0.9), low = up;
        const double tipRound = std::sqrt(std::max(0.0, 1 - std::pow(u, 6)));
        switch (s.bill) {
        case BillKind::Pointed:
        case BillKind::Fine:
            break;
        case BillKind::Probe:
            up = low = 0.5 * (0.28 + 0.72 * std::pow(1 - u, 2)) * tipRound;
            break;
        case BillKind::Conical:
            up = low = 0.5 * std::pow(1 - u, 1.15);
            break;
        case BillKind::Hooked:
            angle -= 80 * paths::smoothstep(hookFrom, 1, u);
            up = 0.6 * std::pow(std::max(0.0, 1 - std::pow(u, 3)), 0.6);
            low = u < 0.78 ? 0.4 * (1 - u / 0.8) : 0;
            break;
        case BillKind::Duck:
            up = 0.56 * (0.42 + 0.58 * std::pow(1 - u, 1.6)) * std::sqrt(std::max(0.0, 1 - std::pow(u, 5)));
            low = 0.44 * (0.5 + 0.5 * (1 - u)) * std::sqrt(std::max(0.0, 1 - std::pow(u, 4)));
            break;
        case BillKind::Spoon:
            angle -= 22 * paths::smoothstep(0.55, 1, u);
            up = low = 0.5 * (0.5 + 0.75 * paths::smoothstep(0.5, 0.92, u)) *
                       std::sqrt(std::max(0.0, 1 - std::pow(u, 10)));
            break;
        case BillKind::Gull:
            angle -= 50 * paths::smoothstep(0.84, 1, u);
            up = 0.5 * (1 - 0.32 * u) * std::sqrt(std::max(0.0, 1 - std::pow(u, 8)));
            low = (0.5 * (1 - 0.5 * u) + 0.13 * std::exp(-std::pow((u - 0.7) / 0.07, 2))) *
                  (1 - paths::smoothstep(0.72, 0.98, u));
            break;
        case BillKind::Crow:
            up = 0.56 * std::pow(1 - u, 0.8);
            low = 0.44 * std::pow(1 - u, 1.1);
            break;
        }
        m_billCentre.append(c);
        m_billNormal.append(downOf(angle));
        m_billUpper.append(up * d);
        m_billLower.append(low * d);
        c += direction(angle) * (s.billLength / BillSamples);
    }
    QList<QPointF> outline;
    for (int i = 0; i <= BillSamples; ++i)
        outline.append(m_billCentre.at(i) - m_billNormal.at(i) * m_billUpper.at(i));
    for (int i = BillSamples; i >= 0; --i)
        outline.append(m_billCentre.at(i) + m_billNormal.at(i) * m_billLower.at(i));
    m_bill = paths::polygon(outline);
}

void BirdGeometry::buildCrest()
{
    const double k = m_shape.crestSize;
    auto add = [this](const QList<QPointF>& points, int passes = 3) {
        m_crest = m_crest.united(mappedOutline(*this, Frame::Head, points, passes));
    };
    switch (m_shape.crest) {
    case CrestKind::None:
        break;
    case CrestKind::Plumes:
        add({{-0.2, -0.9}, {-1.6 * k, -0.62}, {-3.2 * k, -0.05}, {-1.7 * k, -0.38}, {-0.2, -0.45}}, 2);
        add({{-0.4, -0.7}, {-1.5 * k, -0.35}, {-2.6 * k, 0.25}, {-1.5 * k, -0.15}, {-0.4, -0.3}}, 2);
        break;
    case CrestKind::Tuft:
        add({{0.1, -0.95},
             {-0.6, -1.05},
             {-1.5 * k, -0.6},
             {-2.1 * k, -0.05},
             {-1.55 * k, -0.2},
             {-0.8, -0.35}});
        break;
    case CrestKind::Peak:
        add({{0.45, -0.85}, {0.0, -1.2 * k}, {-0.45, -1.32 * k}, {-0.75, -1.2 * k}, {-0.95, -0.6}});
        break;
    case CrestKind::Horns:
        add({{0.35, -0.8}, {-0.15, -1.5 * k}, {-0.5, -1.75 * k}, {-0.75, -1.3 * k}, {-0.85, -0.6}}, 2);
        add({{0.0, -0.8}, {-0.55, -1.45 * k}, {-0.9, -1.6 * k}, {-1.05, -1.1 * k}, {-1.0, -0.4}}, 2);
        break;
    case CrestKind::Mane:
        add({{0.1, -0.95},
             {-0.7, -1.0},
             {-1.35 * k, -0.55},
             {-1.55 * k, 0.25},
             {-1.3 * k, 1.1},
             {-0.6, 0.8}});
        break;
    case CrestKind::Shaggy:
        add({{-0.2, -0.95},
             {-1.1 * k, -0.95},
             {-1.6 * k, -0.55},
             {-1.2 * k, -0.45},
             {-1.5 * k, -0.2},
             {-0.8, 0.0}},
            1);
        break;
    }
}

void BirdGeometry::buildLegs()
{
    const BirdShape& s = m_shape;
    const double bellyY = m_body.boundingRect().bottom();
    if (s.stance == Stance::Swimming) {
        m_baseline = map(Frame::Body, {0, s.waterline}).y();
        return;
    }
    const double hipX = 0.05 - std::clamp(s.tilt, 0.0, 90.0) / 90 * 0.6;
    const double l = s.legLength;
    m_baseline = bellyY + l;
    const double stride = s.stance == Stance::Standing ? 0.16 * l : 3;
    for (bool far : {true, false}) {
        Leg leg;
        leg.far = far;
        leg.hip = map(Frame::Body, {hipX - (far ? 0.18 : 0), 0.55});
        const double shift = far ? -stride : 0;
        if (s.stance == Stance::Standing) {
            leg.heel = {leg.hip.x() - 0.08 * l + shift * 0.5, bellyY + l * s.tibiaShare};
            leg.foot = {leg.hip.x() + 0.03 * l + shift, m_baseline};
        } else {
            leg.heel = {leg.hip.x() - 0.25 * l + shift, bellyY + 0.45 * l};
            leg.foot = {leg.hip.x() + 0.1 * l + shift, m_baseline};
        }
        m_legs.append(leg);
    }
}
