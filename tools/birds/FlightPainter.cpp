#include "FlightPainter.h"

#include "PathTools.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Oversample = 2;
constexpr double Tilt = -16.0; // degrees: a bird banking a little reads as flying

// The wing's outline and the mapping from wing units to bird units, for one side
// (+1 the near wing, drawn below the body; -1 the far one).
class Wing
{
public:
    Wing(const FlightShape& shape, int side) : m_shape(shape), m_side(side) {}

    QPointF at(double u, double v) const
    {
        const double x = shoulderX() + lead(u) + v * chordAt(u);
        // The far wing a little foreshortened, as the bird banks away from us.
        const double span = m_side < 0 ? m_shape.span * 0.86 : m_shape.span;
        const double y = m_side * (m_shape.girth * 0.35 + u * span);
        return {x, y};
    }

    QPainterPath outline() const
    {
        QList<QPointF> points;
        const double end = m_shape.fingers > 0 ? 0.9 : 1.0;
        for (int i = 0; i <= 24; ++i)
            points << at(end * i / 24.0, 0.0);
        for (int i = 24; i >= 0; --i)
            points << at(end * i / 24.0, 1.0);
        return paths::polygon(paths::rounded(points, true, 2));
    }

    // The slotted primaries of a broad wing, each a narrow feather past the wing's end.
    QList<QPainterPath> fingers() const
    {
        QList<QPainterPath> feathers;
        const int n = m_shape.fingers;
        for (int i = 0; i < n; ++i) {
            const double v = (i + 0.5) / n;
            const QPointF base = at(0.86, v);
            const double reach = m_shape.span * (0.16 - 0.05 * std::abs(v - 0.35));
            const QPointF tip = base + QPointF(chordAt(0.9) * 0.15 * (v - 0.2), m_side * reach);
            const double half = chordAt(0.9) / n * 0.38;
            feathers << paths::polygon(
                paths::rounded({base + QPointF(-half, 0), tip + QPointF(-half * 0.5, 0),
                                tip + QPointF(half * 0.5, 0), base + QPointF(half, 0)},
                               true, 2));
        }
        return feathers;
    }

    QPainterPath patch(const QList<QPointF>& outline) const
    {
        QList<QPointF> mapped;
        for (const QPointF& p : paths::densified(outline, true, 6))
            mapped << at(p.x(), p.y());
        return paths::polygon(paths::rounded(mapped, true, 2));
    }

private:
    double shoulderX() const { return -m_shape.body * 0.12; }
    double chordAt(double u) const
    {
        const double c = m_shape.chord;
        if (u <= m_shape.carpal)
            return c * (1.0 - 0.08 * u / m_shape.carpal);
        const double t = (u - m_shape.carpal) / (1.0 - m_shape.carpal);
        return c * (0.92 + (m_shape.tipChord - 0.92) * paths::smoothstep(0.0, 1.0, t));
    }
    double lead(double u) const
    {
        const double c = m_shape.chord;
        const double wrist = -m_shape.sweep * c;
        if (u <= m_shape.carpal)
            return wrist * u / m_shape.carpal;
        // Beyond the wrist the hand sweeps back: a pointed wing far, a broad one little.
        const double tip = wrist + c * (0.75 - 0.55 * m_shape.tipChord);
        const double t = (u - m_shape.carpal) / (1.0 - m_shape.carpal);
        return wrist + (tip - wrist) * t * t;
    }

    FlightShape m_shape;
    int m_side;
};

QPainterPath bodyPath(const FlightShape& s)
{
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), s.body / 2, s.girth / 2);
    QPainterPath head;
    head.addEllipse(QPointF(-s.body / 2 - s.head * 0.35, 0), s.head, s.head * 0.95);
    return body.united(head);
}

QPainterPath billPath(const FlightShape& s)
{
    const double x0 = -s.body / 2 - s.head * 1.2;
    QList<QPointF> upper, lower;
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        const double half = s.billWidth / 2 * (1.0 - 0.85 * t);
        const QPointF centre(x0 + 1 - (s.bill + 1) * t, s.billCurve * s.bill * t * t);
        upper << centre - QPointF(0, half);
        lower.prepend(centre + QPointF(0, half));
    }
    return paths::polygon(upper + lower);
}

QPainterPath tailPath(const FlightShape& s)
{
    const double x0 = s.body * 0.38, x1 = x0 + s.tail, w = s.tailWidth / 2;
    QList<QPointF> points{{x0, -w * 0.55}};
    switch (s.tailCut) {
    case FlightTail::Square:
        points << QPointF(x1, -w) << QPointF(x1, w);
        break;
    case FlightTail::Wedge:
        points << QPointF(x1 - s.tail * 0.2, -w) << QPointF(x1, 0) << QPointF(x1 - s.tail * 0.2, w);
        break;
    case FlightTail::Rounded:
        points << QPointF(x1 - s.tail * 0.15, -w) << QPointF(x1, -w * 0.4) << QPointF(x1, w * 0.4)
               << QPointF(x1 - s.tail * 0.15, w);
        break;
    case FlightTail::Forked:
        points << QPointF(x1, -w * 1.1) << QPointF(x1 - s.tail * 0.28, 0) << QPointF(x1, w * 1.1);
        break;
    }
    points << QPointF(x0, w * 0.55);
    return paths::polygon(paths::rounded(points, true, 1));
}

void outline(QPainter& p, const QPainterPath& path, const QColor& base, double unit)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(paths::withAlpha(base.darker(190), 120), unit * 0.9));
    p.drawPath(path);
    p.restore();
}

void paintWing(QPainter& p, const Wing& wing, const FlightLook& look, double unit)
{
    const QPainterPath shape = wing.outline();
    p.save();
    p.setClipPath(shape);
    p.fillPath(shape, look.wing);
    // Flight feathers behind the coverts, the hand darker still.
    p.fillPath(wing.patch({{0.0, 0.5}, {1.0, 0.35}, {1.0, 1.2}, {0.0, 1.2}}), look.flight);
    p.fillPath(wing.patch({{0.62, -0.2}, {1.0, -0.2}, {1.0, 1.2}, {0.55, 1.2}}), look.tips);
    for (const WingPatch& patch : look.wingPatches)
        p.fillPath(wing.patch(patch.outline), patch.colour);
    // The feathers' edges along the trailing half.
    p.setPen(QPen(paths::withAlpha(look.flight.darker(160), 90), unit * 0.7));
    for (int i = 1; i < 18; ++i) {
        const double u = i / 18.0;
        p.drawLine(wing.at(u, 0.62), wing.at(u + 0.01, 1.05));
    }
    p.restore();
    outline(p, shape, look.wing, unit);
    for (const QPainterPath& finger : wing.fingers()) {
        p.fillPath(finger, look.tips);
        outline(p, finger, look.tips, unit);
    }
}

void paintTail(QPainter& p, const FlightShape& s, const FlightLook& look, double unit)
{
    const QPainterPath tail = tailPath(s);
    p.save();
    p.setClipPath(tail);
    p.fillPath(tail, look.tail);
    const double x0 = s.body * 0.38;
    if (look.tailBand.isValid())
        p.fillRect(QRectF(x0 + s.tail * look.tailBandFrom, -s.tailWidth, s.tail, 2 * s.tailWidth),
                   look.tailBand);
    for (int i = 0; i < look.tailBars; ++i) {
        const double x = x0 + s.tail * (0.2 + 0.8 * (i + 0.5) / look.tailBars);
        p.fillRect(QRectF(x, -s.tailWidth, s.tail * 0.05, 2 * s.tailWidth), look.tailBarColour);
    }
    p.restore();
    outline(p, tail, look.tail, unit);
}

void paintBody(QPainter& p, const FlightShape& s, const FlightLook& look, double unit)
{
    const QPainterPath body = bodyPath(s);
    p.save();
    p.setClipPath(body);
    p.fillPath(body, look.body);
    QPainterPath head;
    head.addEllipse(QPointF(-s.body / 2 - s.head * 0.35, 0), s.head * 1.05, s.head);
    p.fillPath(head, look.head);
    if (!look.fromBelow && look.rump.isValid()) {
        // A wedge up the back from the tail, narrowing as it goes.
        const double x1 = s.body / 2 + 2, x0 = x1 - look.rumpReach * s.body;
        p.fillPath(paths::polygon(paths::rounded({{x0, 0},
                                                  {x1 - s.body * 0.12, -s.girth * 0.42},
                                                  {x1, -s.girth * 0.3},
                                                  {x1, s.girth * 0.3},
                                                  {x1 - s.body * 0.12, s.girth * 0.42}},
                                                 true, 2)),
                   look.rump);
    }
    for (qsizetype i = 0; i < look.breastBand.size(); ++i) {
        const double x = -s.body * 0.32 + i * s.body * 0.14;
        p.fillRect(QRectF(x, -s.girth, s.body * 0.13, 2 * s.girth), look.breastBand.at(i));
    }
    if (look.faceMark.isValid())
        p.fillRect(QRectF(-s.body / 2 - s.head * 1.2, s.head * 0.3, s.head * 1.6, s.head * 0.35),
                   look.faceMark);
    // Light from above: the back's middle lighter, its sides darker.
    QLinearGradient light(QPointF(0, -s.girth * 0.7), QPointF(0, s.girth * 0.7));
    light.setColorAt(0.0, QColor(0, 0, 0, 40));
    light.setColorAt(0.45, QColor(255, 255, 255, 30));
    light.setColorAt(1.0, QColor(0, 0, 0, 50));
    p.fillPath(body, light);
    p.restore();
    outline(p, body, look.body, unit);
    p.fillPath(billPath(s), look.bill);
    p.setBrush(QColor(0x141210));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(-s.body / 2 - s.head * 0.75, s.head * 0.45), s.head * 0.2, s.head * 0.2);
}

QRectF birdBounds(const FlightShape& s)
{
    QRectF r =
        bodyPath(s).boundingRect().united(billPath(s).boundingRect()).united(tailPath(s).boundingRect());
    for (int side : {-1, 1}) {
        const Wing wing(s, side);
        r = r.united(wing.outline().boundingRect());
        for (const QPainterPath& f : wing.fingers())
            r = r.united(f.boundingRect());
    }
    return r;
}

void addGrain(QImage& image, int seed)
{
    paths::Random random(std::uint32_t(seed) * 131u + 7u);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(std::lround(random.uniform(-3.2, 3.2)));
            line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) + n, 0, 255),
                           std::clamp(qBlue(line[x]) + n, 0, 255));
        }
    }
}

} // namespace

QImage paintFlight(const FlightPicture& picture, int seed, QImage* twice)
{
    const QSize canvas(picture.width * Oversample, picture.height * Oversample);
    QImage image(canvas, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(QPointF(0, 0), QPointF(0, canvas.height()));
    sky.setColorAt(0.0, QColor(0xaec4da));
    sky.setColorAt(1.0, QColor(0xe4ecf2));
    p.fillRect(image.rect(), sky);

    // Fit the tilted bird to 88 % of the picture, centred.
    const FlightShape& s = picture.shape;
    QTransform turn;
    turn.rotate(picture.headRight ? -Tilt : Tilt);
    if (picture.headRight)
        turn.scale(-1, 1);
    const QRectF bounds = turn.mapRect(birdBounds(s));
    const double scale =
        std::min(0.88 * canvas.width() / bounds.width(), 0.88 * canvas.height() / bounds.height());
    QTransform place;
    place.translate(canvas.width() / 2.0, canvas.height() / 2.0);
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.center().y());
    p.setTransform(turn * place);
    const double unit = 1.0 / scale * Oversample;

    p.setPen(Qt::NoPen);
    // From below the near wing is the one towards the viewer either way; the far wing first.
    paintWing(p, Wing(s, -1), picture.look, unit);
    paintTail(p, s, picture.look, unit);
    paintBody(p, s, picture.look, unit);
    paintWing(p, Wing(s, 1), picture.look, unit);
    p.end();

    addGrain(image, seed);
    if (twice)
        *twice = image;
    return image.scaled(picture.width, picture.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

namespace flightmark {

WingPatch wingBar(const QColor& colour, double from, double to, double width)
{
    return {{{from, 0.42}, {to, 0.32}, {to, 0.32 + width * 0.7}, {from, 0.42 + width}}, colour};
}

WingPatch armpit(const QColor& colour)
{
    return {{{-0.05, 0.35}, {0.16, 0.45}, {0.2, 0.8}, {0.06, 0.95}, {-0.05, 0.95}}, colour};
}

WingPatch carpal(const QColor& colour, double at)
{
    return {{{at - 0.07, 0.05}, {at + 0.06, 0.02}, {at + 0.07, 0.4}, {at - 0.06, 0.45}}, colour};
}

WingPatch primaryWindow(const QColor& colour, double at)
{
    return {{{at, 0.25}, {at + 0.16, 0.2}, {at + 0.16, 0.75}, {at, 0.8}}, colour};
}

WingPatch coverts(const QColor& colour, double depth)
{
    return {{{-0.1, -0.2}, {1.0, -0.2}, {1.0, depth * 0.6}, {-0.1, depth}}, colour};
}

} // namespace flightmark
