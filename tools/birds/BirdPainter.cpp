#include "BirdPainter.h"

#include "BodySize.h"
#include "FeatherPainter.h"
#include "PathTools.h"
#include "Scenery.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

Plumage withDefaults(Plumage c)
{
    auto fill = [](QColor& colour, const QColor& fallback) {
        if (!colour.isValid())
            colour = fallback;
    };
    fill(c.upper, QColor(0x8a7a66));
    fill(c.under, QColor(0xf2efe8));
    fill(c.head, c.upper);
    fill(c.throat, c.under);
    fill(c.wing, c.upper);
    fill(c.primaries, c.wing.darker(160));
    fill(c.tail, c.wing.darker(125));
    fill(c.bill, QColor(0x2b2826));
    fill(c.billTip, c.bill);
    fill(c.legs, QColor(0x3a3634));
    fill(c.feet, c.legs);
    fill(c.iris, QColor(0x22160f));
    fill(c.fringe, c.wing.lighter(135));
    fill(c.crest, c.head);
    return c;
}

// A little noise keeps smooth gradients from turning into bands once the
// picture is reduced to a 256-colour palette.
void addGrain(QImage& image, int seed)
{
    paths::Random random(std::uint32_t(seed) * 101u + 77u);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(std::lround(random.uniform(-3.2, 3.2)));
            line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) + n, 0, 255),
                           std::clamp(qBlue(line[x]) + n, 0, 255));
        }
    }
}

// Lays a canvas-sized layer over the target, whatever the target's transform.
void overlay(QPainter& target, const QImage& image)
{
    target.save();
    target.resetTransform();
    target.drawImage(0, 0, image);
    target.restore();
}

} // namespace

BirdPainter::BirdPainter(const Species& species)
    : m_species(species), m_colours(withDefaults(species.plumage)), m_geometry(species.shape)
{}

double BirdPainter::pixel() const
{
    return 1.0 / m_scale;
}

namespace {

// Where the feet or the water line sit, as a share of the picture's height: a bird
// on a post stands high enough for the post to show as a post.
double anchorOf(const Species& species)
{
    const Stance stance = species.shape.stance;
    return stance == Stance::Swimming         ? 0.66
           : species.setting == Setting::Post ? 0.7
           : stance == Stance::Perched        ? 0.72
                                              : 0.87;
}

// The largest scale, canvas pixels per bird unit, at which the bird fits its picture.
double fillScale(const Species& species, const BirdGeometry& geometry)
{
    const QRectF b = geometry.bounds();
    const double base = geometry.baseline();
    const double w = species.width * BirdPainter::Oversample, h = species.height * BirdPainter::Oversample;
    const double anchor = anchorOf(species);
    double scale = 0.9 * w / b.width();
    scale = std::min(scale, (anchor - 0.05) * h / (base - b.top()));
    if (species.shape.stance != Stance::Swimming && b.bottom() > base + 1)
        scale = std::min(scale, (0.97 - anchor) * h / (b.bottom() - base));
    return scale;
}

// Bill tip to tail tip, in bird units.
double drawnLength(const BirdGeometry& geometry)
{
    return QLineF(geometry.map(Frame::Bill, {1, 0}), geometry.map(Frame::Tail, {1, 0})).length();
}

} // namespace

double BirdPainter::familyScale(const Species& species)
{
    const BodySize size = bodySize(species.number);
    const BirdGeometry geometry(species.shape);
    const double fill = fillScale(species, geometry);
    if (size.lengthCm <= 0)
        return fill;
    // canvas pixels per centimetre: the most the family's every member allows
    double perCm = fill * drawnLength(geometry) / size.lengthCm;
    for (const Species& other : speciesTable()) {
        const BodySize otherSize = bodySize(other.number);
        if (otherSize.family != size.family || otherSize.lengthCm <= 0)
            continue;
        const BirdGeometry g(other.shape);
        perCm = std::min(perCm, fillScale(other, g) * drawnLength(g) / otherSize.lengthCm);
    }
    const double share = std::min(1.0, perCm * size.lengthCm / drawnLength(geometry) / fill);
    return fill * std::max(SmallestShare, std::pow(share, SizeCompression));
}

QSize BirdPainter::pictureSize(const Species& species)
{
    const BirdGeometry geometry(species.shape);
    const double share = familyScale(species) / fillScale(species, geometry);
    // half of what the bird gives up is taken off the picture around it
    const double keep = 0.5 + 0.5 * share;
    return {std::max(SmallestPicture.width(), int(std::lround(species.width * keep))),
            std::max(SmallestPicture.height(), int(std::lround(species.height * keep)))};
}

void BirdPainter::fitToCanvas()
{
    const QRectF b = m_geometry.bounds();
    const double base = m_geometry.baseline();
    const double w = m_canvas.width(), h = m_canvas.height();
    m_scale = familyScale(m_species);
    m_transform = QTransform();
    m_transform.translate(w / 2, anchorOf(m_species) * h);
    m_transform.scale(m_species.facingRight ? m_scale : -m_scale, m_scale);
    m_transform.translate(-b.center().x(), -base);
}

QImage BirdPainter::paint(QImage* twice)
{
    m_canvas = pictureSize(m_species) * Oversample;
    fitToCanvas();
    const QImage bird = paintBird();

    SceneAnchors anchors;
    anchors.baseline = m_transform.map(QPointF(0, m_geometry.baseline())).y();
    double feetX = m_geometry.headCentre().x() * 0;
    if (!m_geometry.legs().isEmpty())
        feetX = (m_geometry.legs().first().foot.x() + m_geometry.legs().last().foot.x()) / 2;
    anchors.feetX = m_transform.map(QPointF(feetX, 0)).x();
    anchors.bird = m_transform.mapRect(m_geometry.bounds());
    anchors.body = m_transform.mapRect(m_geometry.body().boundingRect());
    anchors.scale = m_scale;
    anchors.legLength = m_species.shape.legLength * m_scale;

    QImage picture(m_canvas, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    Scenery scenery(m_species.setting, m_canvas, m_species.number <= 40, m_species.number);
    scenery.paintBehind(p, anchors, bird);
    p.save();
    if (m_species.shape.stance == Stance::Swimming)
        p.setClipRect(QRectF(0, 0, m_canvas.width(), anchors.baseline));
    p.drawImage(0, 0, bird);
    p.restore();
    scenery.paintFront(p, anchors);
    p.end();
    QImage small = picture.scaled(m_canvas / Oversample, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    addGrain(small, m_species.number);
    if (twice) {
        static_assert(Oversample == 2);
        *twice = picture.convertToFormat(QImage::Format_RGB32);
        addGrain(*twice, m_species.number);
    }
    return small;
}

QImage BirdPainter::layer(const std::function<void(QPainter&)>& draw) const
{
    QImage image(m_canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(m_transform);
    draw(p);
    return image;
}

QImage BirdPainter::paintBird()
{
    return layer([&](QPainter& p) {
        paintLegs(p);
        paintTail(p);
        paintCrest(p);
        // The head sits over the shoulder: the folded wing goes under it, so the face
        // keeps its marks on a bird whose wing starts close behind the head.
        const QImage body = layer([&](QPainter& q) { paintBody(q); });
        overlay(p, body);
        paintWing(p);
        // only the face and crown, fading out towards the nape so no edge shows
        QImage face = layer([&](QPainter& q) {
            const QPointF c = m_geometry.map(Frame::Head, {0.25, 0.0});
            QTransform shrink;
            shrink.translate(c.x(), c.y());
            shrink.scale(0.8, 0.8);
            shrink.translate(-c.x(), -c.y());
            q.fillPath(shrink.map(m_geometry.headOutline()), Qt::white);
        });
        paths::blur(face, std::max(2, int(m_species.shape.headRadius * m_scale * 0.25)), face.rect());
        {
            QPainter q(&face);
            q.setCompositionMode(QPainter::CompositionMode_SourceIn);
            q.drawImage(0, 0, body);
        }
        overlay(p, face);
        if (m_colours.plumes.isValid())
            paintPlumes(p);
        if (m_colours.sickles.isValid())
            paintSickles(p);
        paintBill(p);
        paintEye(p);
    });
}

void BirdPainter::softLayer(QPainter& target, const QPainterPath& clip, int radius,
                            const std::function<void(QPainter&)>& draw)
{
    QImage soft = layer(draw);
    const QRect area = m_transform.mapRect(clip.boundingRect())
                           .toAlignedRect()
                           .adjusted(-radius * 3, -radius * 3, radius * 3, radius * 3);
    paths::blur(soft, radius, area);
    target.save();
    target.setClipPath(clip, Qt::IntersectClip);
    target.resetTransform();
    target.drawImage(0, 0, soft);
    target.restore();
}

// Light from above, shadow below and a darker rim. Dark plumage takes less light,
// or it turns grey instead of glossy.
void BirdPainter::shade(QPainter& p, const QPainterPath& clip, const QPointF& light, const QPointF& dark,
                        int rim, const QColor& base)
{
    const int shine = int(45 * (0.3 + 0.7 * base.lightnessF()));
    softLayer(p, clip, 5, [&](QPainter& q) {
        QLinearGradient g(light, dark);
        g.setColorAt(0, QColor(255, 255, 255, shine));
        g.setColorAt(0.35, QColor(255, 255, 255, 0));
        g.setColorAt(0.7, QColor(0, 0, 0, 10));
        g.setColorAt(1, QColor(0, 0, 0, 80));
        q.fillPath(clip, g);
        q.setBrush(Qt::NoBrush);
        q.setPen(QPen(QColor(0, 0, 0, 60), rim * pixel()));
        q.drawPath(clip);
    });
}

void BirdPainter::outline(QPainter& p, const QPainterPath& path, double alpha)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 16, 12, int(alpha * 255)), 1.3 * pixel(), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(path);
}

void BirdPainter::paintLegs(QPainter& p)
{
    const BirdShape& s = m_species.shape;
    for (const BirdGeometry::Leg& leg : m_geometry.legs()) {
        const QColor colour = leg.far ? m_colours.legs.darker(135) : m_colours.legs;
        const double w = s.legWidth;
        QPainterPath limb;
        limb.moveTo(leg.hip);
        limb.lineTo(leg.heel);
        limb.lineTo(leg.foot);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(limb);
        p.setPen(QPen(paths::withAlpha(colour.lighter(150), 120), w * 0.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(leg.heel + QPointF(w * 0.2, 0), leg.foot + QPointF(w * 0.2, -w));

        const double t = s.toeLength;
        const QPointF f = leg.foot;
        const QColor feet = leg.far ? m_colours.feet.darker(135) : m_colours.feet;
        p.setPen(QPen(feet, w * 0.62, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath toes;
        if (s.stance == Stance::Perched) {
            toes.moveTo(f);
            toes.quadTo(f + QPointF(t * 0.7, -t * 0.05), f + QPointF(t * 0.95, t * 0.45));
            toes.moveTo(f);
            toes.quadTo(f + QPointF(-t * 0.45, -t * 0.05), f + QPointF(-t * 0.65, t * 0.4));
        } else {
            toes.moveTo(f);
            toes.lineTo(f + QPointF(t, 0.4));
            toes.moveTo(f);
            toes.lineTo(f + QPointF(t * 0.72, t * 0.16));
            toes.moveTo(f);
            toes.lineTo(f + QPointF(t * 0.6, -t * 0.08));
            toes.moveTo(f);
            toes.lineTo(f + QPointF(-t * 0.32, 0.2));
        }
        p.drawPath(toes);
    }
}

void BirdPainter::paintTail(QPainter& p)
{
    const QPainterPath& tail = m_geometry.tail();
    p.setPen(Qt::NoPen);
    p.setBrush(m_colours.tail);
    p.drawPath(tail);
    FeatherPainter(m_geometry, m_colours, pixel(), m_species.number).paintTail(p);
    softLayer(p, tail, 2, [&](QPainter& q) { paintMarks(q, {Frame::Tail}, true); });
    p.save();
    p.setClipPath(tail, Qt::IntersectClip);
    paintMarks(p, {Frame::Tail}, false);
    p.restore();
    shade(p, tail, m_geometry.map(Frame::Tail, {0.2, -1.2}), m_geometry.map(Frame::Tail, {0.2, 1.2}), 4,
          m_colours.tail);
    outline(p, tail);
}

void BirdPainter::paintCrest(QPainter& p)
{
    if (m_colours.ruff.isValid())
        paintRuff(p); // behind the head, so the face stays clear
    const QPainterPath& crest = m_geometry.crest();
    if (crest.isEmpty())
        return;
    QRadialGradient g(m_geometry.headCentre(), m_species.shape.headRadius * 2.6);
    g.setColorAt(0, m_colours.crest.lighter(115));
    g.setColorAt(1, m_colours.crest.darker(125));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(crest);
    // white plumes need a firmer edge to show against a pale sky
    outline(p, crest, m_colours.crest.lightness() > 200 ? 0.35 : 0.15);
}

void BirdPainter::paintRuff(QPainter& p)
{
    const BirdGeometry& g = m_geometry;
    const QList<QPointF> frill{{-0.2, -0.25}, {-1.2, -0.6}, {-2.1, 0.25}, {-1.95, 1.5},
                               {-0.9, 2.15},  {0.25, 1.8},  {0.5, 0.9}};
    QList<QPointF> points = paths::rounded(paths::densified(frill, true, 4), true, 3);
    for (QPointF& q : points)
        q = g.map(Frame::Head, q);
    const QPainterPath ruff = paths::polygon(points);
    QRadialGradient colour(g.map(Frame::Head, {-0.2, 0.4}), m_species.shape.headRadius * 1.6);
    colour.setColorAt(0, m_colours.ruff.lighter(120));
    colour.setColorAt(0.6, m_colours.ruff);
    colour.setColorAt(0.85, m_colours.crest);
    colour.setColorAt(1, m_colours.crest);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(ruff);
    outline(p, ruff, 0.3);
}

void BirdPainter::paintPlumes(QPainter& p)
{
    const BirdGeometry& g = m_geometry;
    const BirdShape& s = m_species.shape;
    paths::Random random(std::uint32_t(m_species.number) * 41u + 3u);
    const QPointF back = -paths::direction(s.tilt + s.tailAngle * 0.5);
    const QPointF down(0, 1);
    const double reach = s.tailLength + 0.6 * s.depth;
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 16; ++i) {
        const QPointF from = g.map(Frame::Wing, {random.uniform(0.1, 0.45), random.uniform(0.05, 0.3)});
        const double length = reach * random.uniform(0.8, 1.25);
        const QPointF to =
            g.map(Frame::Wing, {1, 0.5}) + back * length * 0.55 + down * length * random.uniform(0.2, 0.55);
        const QPointF bend = (from + to) / 2 - down * length * 0.15;
        QPainterPath plume;
        plume.moveTo(from);
        plume.quadTo(bend, to);
        QColor c = m_colours.plumes;
        c.setAlpha(int(random.uniform(150, 230)));
        p.setPen(QPen(c, random.uniform(0.5, 0.9), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(plume);
    }
}

void BirdPainter::paintSickles(QPainter& p)
{
    const BirdGeometry& g = m_geometry;
    const double depth = m_species.shape.depth;
    for (int i = 0; i < 4; ++i) {
        const QPointF from = g.map(Frame::Wing, {0.3 + 0.08 * i, 0.2});
        const QPointF to = g.map(Frame::Body, {-0.55 - 0.08 * i, 0.15 + 0.1 * i});
        const QPointF bend = g.map(Frame::Body, {-0.35 - 0.1 * i, -0.85});
        QPainterPath sickle;
        sickle.moveTo(from);
        sickle.quadTo(bend, to);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(236, 236, 232), depth * 0.075, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(sickle);
        p.setPen(QPen(m_colours.sickles, depth * 0.06, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(sickle.translated(0, -depth * 0.015));
    }
}

void BirdPainter::paintBodyColours(QPainter& q)
{
    const Plumage& c = m_colours;
    const BirdGeometry& g = m_geometry;
    q.setPen(Qt::NoPen);
    paintMark(q, mark::back(c.upper, -0.18), 0);

    // The neck, slice by slice, from the body's colours at its base to the head's at the top.
    constexpr int Slices = 16;
    for (int i = 0; i < Slices; ++i) {
        const double t0 = double(i) / Slices, t1 = double(i + 1.3) / Slices, tm = (t0 + t1) / 2;
        const double k = paths::smoothstep(0.1, 0.95, tm);
        QLinearGradient across(g.map(Frame::Neck, {tm, -1}), g.map(Frame::Neck, {tm, 1}));
        across.setColorAt(0.0, paths::mix(c.upper, c.head, k));
        across.setColorAt(0.42, paths::mix(c.upper, c.head, k));
        across.setColorAt(0.62, paths::mix(c.under, c.throat, k));
        across.setColorAt(1.0, paths::mix(c.under, c.throat, k));
        const QList<QPointF> quad{g.map(Frame::Neck, {t0, -1.4}), g.map(Frame::Neck, {t1, -1.4}),
                                  g.map(Frame::Neck, {t1, 1.4}), g.map(Frame::Neck, {t0, 1.4})};
        q.fillPath(paths::polygon(quad), across);
    }
    paintMark(q, mark::ellipse(Frame::Head, -0.05, -0.1, 1.25 * m_species.shape.headLong, 1.12, c.head), 0);
    if (c.throat != c.head)
        paintMark(q, mark::throatPatch(c.throat), 0);
    paintMarks(q, {Frame::Body, Frame::Neck, Frame::Head}, true);
}

void BirdPainter::paintBody(QPainter& p)
{
    const QPainterPath& body = m_geometry.silhouette();
    p.setPen(Qt::NoPen);
    p.setBrush(m_colours.under);
    p.drawPath(body);
    softLayer(p, body, 3, [&](QPainter& q) { paintBodyColours(q); });
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    paintMarks(p, {Frame::Body, Frame::Neck, Frame::Head}, false);
    paintFeatherTexture(p, body);
    p.restore();

    const BirdGeometry& g = m_geometry;
    shade(p, body, g.map(Frame::Body, {0.1, -1.0}), g.map(Frame::Body, {0.1, 1.05}), 10, m_colours.upper);
    // a soft light on the crown gives the head its roundness
    softLayer(p, g.headOutline(), 4, [&](QPainter& q) {
        QRadialGradient light(g.map(Frame::Head, {0.15, -0.55}), m_species.shape.headRadius * 1.1);
        light.setColorAt(0, QColor(255, 255, 255, int(38 * (0.25 + 0.75 * m_colours.head.lightnessF()))));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        q.fillPath(g.headOutline(), light);
    });
    outline(p, body);
}

// Faint overlapping feather tips all over the plumage, so that large areas of one
// colour read as feathers rather than as a smooth shell.
void BirdPainter::paintFeatherTexture(QPainter& p, const QPainterPath& area)
{
    paths::Random random(std::uint32_t(m_species.number) * 613u + 5u);
    const QRectF box = area.boundingRect();
    const double size = 3.2;
    const int count = int(box.width() * box.height() / (size * size) * 0.35);
    const QPointF back = -paths::direction(m_species.shape.tilt);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const QPointF at(random.uniform(box.left(), box.right()), random.uniform(box.top(), box.bottom()));
        if (!area.contains(at))
            continue;
        const QPointF n(-back.y(), back.x());
        const double s = size * random.uniform(0.7, 1.3);
        QPainterPath tip;
        tip.moveTo(at - n * (s / 2));
        tip.quadTo(at + back * (s * 0.7), at + n * (s / 2));
        const bool dark = random.uniform() < 0.5;
        p.setPen(
            QPen(dark ? QColor(0, 0, 0, 22) : QColor(255, 255, 255, 26), 0.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(tip);
    }
}

void BirdPainter::paintWing(QPainter& p)
{
    const QPainterPath& wing = m_geometry.wing();
    p.setPen(Qt::NoPen);
    p.setBrush(m_colours.wing);
    p.drawPath(wing);
    p.save();
    p.setClipPath(wing, Qt::IntersectClip);
    FeatherPainter(m_geometry, m_colours, pixel(), m_species.number).paintWing(p);
    p.restore();
    softLayer(p, wing, 2, [&](QPainter& q) { paintMarks(q, {Frame::Wing}, true); });
    p.save();
    p.setClipPath(wing, Qt::IntersectClip);
    paintMarks(p, {Frame::Wing}, false);
    p.restore();
    // A duck's folded wing lies under the flank feathers: a soft edge, no hard rim.
    const bool tucked = m_species.shape.bill == BillKind::Duck && m_species.shape.stance == Stance::Swimming;
    shade(p, wing, m_geometry.map(Frame::Wing, {0.3, -0.2}), m_geometry.map(Frame::Wing, {0.3, 1.3}),
          tucked ? 2 : 6, m_colours.wing);
    outline(p, wing, tucked ? 0.14 : m_colours.pattern == WingPattern::Smooth ? 0.2 : 0.5);
}

void BirdPainter::paintBill(QPainter& p)
{
    const BirdGeometry& g = m_geometry;
    const Plumage& c = m_colours;
    const QPainterPath& bill = g.bill();
    QLinearGradient along(g.map(Frame::Bill, {0, 0}), g.map(Frame::Bill, {1, 0}));
    along.setColorAt(0, c.bill);
    along.setColorAt(std::max(0.0, c.tipFrom - 0.08), c.bill);
    along.setColorAt(std::min(1.0, c.tipFrom + 0.08), c.billTip);
    along.setColorAt(1, c.billTip);
    p.setPen(Qt::NoPen);
    p.setBrush(along);
    p.drawPath(bill);
    p.save();
    p.setClipPath(bill, Qt::IntersectClip);
    paintMarks(p, {Frame::Bill}, true);
    paintMarks(p, {Frame::Bill}, false);

    const BillKind kind = m_species.shape.bill;
    const double depth = m_species.shape.billDepth;
    auto line = [&](double v, double from, double to) {
        QList<QPointF> pts;
        for (int i = 0; i <= 20; ++i)
            pts.append(g.map(Frame::Bill, {from + (to - from) * i / 20.0, v}));
        return paths::polygon(pts, false);
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 70), depth * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(line(-0.62, 0.04, 0.75));
    p.setPen(QPen(QColor(0, 0, 0, 50), depth * 0.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(line(0.7, 0.04, 0.8));
    const double mouthEnd = kind == BillKind::Hooked  ? 0.62
                            : kind == BillKind::Duck  ? 0.93
                            : kind == BillKind::Spoon ? 0.55
                                                      : 0.86;
    p.setPen(QPen(QColor(0, 0, 0, 150), std::max(depth * 0.06, 0.8 * pixel()), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(line(0.05, 0.0, mouthEnd));
    if (kind == BillKind::Duck || kind == BillKind::Gull || kind == BillKind::Crow ||
        kind == BillKind::Hooked) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawEllipse(g.map(Frame::Bill, {kind == BillKind::Hooked ? 0.12 : 0.2, -0.35}), depth * 0.1,
                      depth * 0.07);
    }
    p.restore();
    outline(p, bill, 0.4);
}

void BirdPainter::paintEye(QPainter& p)
{
    const double e = m_species.shape.eyeSize;
    const QPointF at = m_geometry.eye();
    p.setPen(Qt::NoPen);
    if (m_colours.eyeRing.isValid()) {
        p.setBrush(m_colours.eyeRing);
        p.drawEllipse(at, e * 1.6, e * 1.6);
    }
    p.setBrush(QColor(15, 10, 8));
    p.drawEllipse(at, e * 1.08, e * 1.08);
    p.setBrush(m_colours.iris);
    p.drawEllipse(at, e, e);
    p.setBrush(QColor(8, 6, 5));
    const bool paleIris = m_colours.iris.lightness() > 70;
    p.drawEllipse(at, e * (paleIris ? 0.5 : 0.75), e * (paleIris ? 0.5 : 0.75));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(at + QPointF(e * 0.28, -e * 0.32), e * 0.26, e * 0.26);
}

// Marks are painted in the order of the frames given, each frame's in the order of
// the table. Marks on the body and neck stay off the face and crown, so a breast
// patch never spills over them.
void BirdPainter::paintMarks(QPainter& p, QList<Frame> frames, bool soft)
{
    const QList<Mark>& marks = m_colours.marks;
    QPainterPath face;
    face.addPolygon(QPolygonF({m_geometry.map(Frame::Head, {-3, 0.3}), m_geometry.map(Frame::Head, {3, 0.3}),
                               m_geometry.map(Frame::Head, {3, -3}), m_geometry.map(Frame::Head, {-3, -3})}));
    const QPainterPath belowHead =
        m_geometry.silhouette().subtracted(m_geometry.headOutline().intersected(face));
    for (Frame frame : frames) {
        p.save();
        if (frame == Frame::Body || frame == Frame::Neck)
            p.setClipPath(belowHead, Qt::IntersectClip);
        for (qsizetype i = 0; i < marks.size(); ++i) {
            const Mark& m = marks.at(i);
            if (m.soft == soft && m.frame == frame)
                paintMark(p, m, m_species.number * 97 + int(i));
        }
        p.restore();
    }
}

void BirdPainter::paintMark(QPainter& p, const Mark& m, int seed)
{
    const BirdGeometry& g = m_geometry;
    auto mapped = [&](QList<QPointF> points) {
        for (QPointF& q : points)
            q = g.map(m.frame, q);
        return points;
    };
    switch (m.kind) {
    case MarkKind::Ellipse: {
        QList<QPointF> points;
        const QPointF c = m.points.at(0), r = m.points.at(1);
        for (int i = 0; i < 48; ++i) {
            const double t = 2 * M_PI * i / 48;
            points.append(c + QPointF(r.x() * std::cos(t), r.y() * std::sin(t)));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(m.colour);
        p.drawPath(paths::polygon(mapped(points)));
        break;
    }
    case MarkKind::Blob:
        p.setPen(Qt::NoPen);
        p.setBrush(m.colour);
        p.drawPath(paths::polygon(mapped(paths::rounded(paths::densified(m.points, true), true))));
        break;
    case MarkKind::Stroke:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(m.colour, m.size * g.unit(m.frame), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(paths::polygon(mapped(paths::rounded(paths::densified(m.points, false), false)), false));
        break;
    default:
        paintTexture(p, m, seed);
        break;
    }
}

void BirdPainter::paintTexture(QPainter& p, const Mark& m, int seed)
{
    const BirdGeometry& g = m_geometry;
    const QRectF area = QRectF(m.points.at(0), m.points.at(1)).normalized();
    paths::Random random(std::uint32_t(seed) + 7919u);
    const double s = m.size;
    // Streaks follow the feathers: along the neck and head, down and back over the body.
    const QPointF lengthwise = m.frame == Frame::Body ? QPointF(-0.01, 0.02) : QPointF(0.01, 0);
    auto along = [&](const QPointF& at) {
        const QPointF a = g.map(m.frame, at), b = g.map(m.frame, at + lengthwise);
        const QPointF d = b - a;
        const double len = std::hypot(d.x(), d.y());
        return len > 0 ? d / len : QPointF(1, 0);
    };
    auto place = [&](int i) {
        return QPointF(area.left() + (i + random.uniform()) / m.count * area.width(),
                       area.top() + random.uniform() * area.height());
    };
    p.setBrush(Qt::NoBrush);
    switch (m.kind) {
    case MarkKind::Streaks:
        p.setPen(QPen(m.colour, s * 0.32, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < m.count; ++i) {
            const QPointF at = place(i);
            const QPointF c = g.map(m.frame, at), d = along(at);
            p.drawLine(c - d * (s / 2), c + d * (s / 2));
        }
        break;
    case MarkKind::Spots:
        p.setPen(Qt::NoPen);
        p.setBrush(m.colour);
        for (int i = 0; i < m.count; ++i) {
            const double r = s / 2 * random.uniform(0.7, 1.2);
            p.drawEllipse(g.map(m.frame, place(i)), r, r * 0.85);
        }
        break;
    case MarkKind::Chevrons:
        p.setPen(QPen(m.colour, s * 0.32, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int i = 0; i < m.count; ++i) {
            const QPointF at = place(i);
            const QPointF c = g.map(m.frame, at), d = along(at), n(-d.y(), d.x());
            p.drawPolyline(QList<QPointF>{c - d * s * 0.5 - n * s * 0.5, c, c - d * s * 0.5 + n * s * 0.5});
        }
        break;
    case MarkKind::Bars:
        // rings around the body: across the part, one after another along it
        p.setPen(QPen(m.colour, s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int i = 0; i < m.count; ++i) {
            const double x = area.left() + (i + 0.5) / m.count * area.width();
            const double phase = random.uniform(0, 6.3);
            QList<QPointF> line;
            for (int k = 0; k <= 16; ++k) {
                const double y = area.top() + area.height() * k / 16.0;
                line.append(
                    g.map(m.frame, {x + std::sin(phase + k * 0.8) * area.width() / m.count * 0.12, y}));
            }
            p.drawPath(paths::polygon(line, false));
        }
        break;
    case MarkKind::LevelBars: {
        // level on the picture whatever the body's tilt, each sagging a little
        // with the roundness of the breast, kept to the area
        QPainterPath inside;
        inside.addPolygon(
            QPolygonF(QList<QPointF>{g.map(m.frame, area.topLeft()), g.map(m.frame, area.topRight()),
                                     g.map(m.frame, area.bottomRight()), g.map(m.frame, area.bottomLeft())}));
        const QRectF box = inside.boundingRect();
        p.save();
        p.setClipPath(inside, Qt::IntersectClip);
        p.setPen(QPen(m.colour, s, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < m.count; ++i) {
            const double y = box.top() + (i + 0.5) / m.count * box.height() + random.uniform(-0.1, 0.1) * s;
            QPainterPath bar;
            bar.moveTo(box.left(), y);
            bar.quadTo(box.center().x(), y + box.width() * 0.06, box.right(), y);
            p.drawPath(bar);
        }
        p.restore();
        break;
    }
    case MarkKind::Vermiculation:
        p.setPen(QPen(m.colour, s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int i = 0; i < m.count; ++i) {
            const double y = area.top() + (i + 0.5) / m.count * area.height();
            const double phase = random.uniform(0, 6.3);
            QList<QPointF> line;
            for (int k = 0; k <= 24; ++k) {
                const double x = area.left() + area.width() * k / 24.0;
                line.append(
                    g.map(m.frame, {x, y + std::sin(phase + k * 1.7) * area.height() / m.count * 0.25}));
            }
            p.drawPath(paths::polygon(line, false));
        }
        break;
    default:
        break;
    }
}
