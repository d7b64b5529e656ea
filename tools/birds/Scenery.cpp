#include "Scenery.h"

#include "PathTools.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using paths::Random;

Scenery::Scenery(Setting setting, QSize canvas, bool summer, int seed)
    : m_setting(setting), m_canvas(canvas), m_summer(summer), m_seed(seed)
{}

double Scenery::horizonFor(const SceneAnchors& a) const
{
    const double h = m_canvas.height();
    switch (m_setting) {
    case Setting::Water:
        return 0.3 * h;
    case Setting::Shallows:
        return std::clamp(a.baseline - 0.42 * h, 0.28 * h, 0.5 * h);
    case Setting::Post:
    case Setting::Rock:
        return 0.6 * h;
    case Setting::Branch:
    case Setting::Blossom:
    case Setting::Reeds:
    case Setting::Wire:
        return h;
    default:
        return std::clamp(a.baseline - 0.3 * h, 0.35 * h, 0.62 * h);
    }
}

double Scenery::waterLevel(const SceneAnchors& a) const
{
    return a.baseline - 0.2 * a.legLength;
}

void Scenery::paintSky(QPainter& p, double horizon)
{
    QLinearGradient sky(0, 0, 0, std::max(horizon, 1.0));
    sky.setColorAt(0, m_summer ? QColor(192, 216, 234) : QColor(198, 208, 224));
    sky.setColorAt(1, m_summer ? QColor(238, 238, 224) : QColor(232, 232, 228));
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(m_canvas)), sky);
}

void Scenery::paintGround(QPainter& p, double horizon, const QColor& far, const QColor& near)
{
    QLinearGradient ground(0, horizon, 0, m_canvas.height());
    ground.setColorAt(0, far);
    ground.setColorAt(1, near);
    p.fillRect(QRectF(0, horizon, m_canvas.width(), m_canvas.height() - horizon), ground);
    // a soft seam instead of a ruled horizon
    QLinearGradient seam(0, horizon - 6, 0, horizon + 6);
    seam.setColorAt(0, QColor(255, 255, 255, 0));
    seam.setColorAt(0.5, QColor(255, 255, 255, 60));
    seam.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, horizon - 6, m_canvas.width(), 12), seam);
}

void Scenery::paintWaterSurface(QPainter& p, double top, const QColor& far, const QColor& near)
{
    paintGround(p, top, far, near);
    Random random(std::uint32_t(m_seed) * 31u + 3u);
    const double w = m_canvas.width(), h = m_canvas.height();
    for (int i = 0; i < 70; ++i) {
        const double depth = std::pow(random.uniform(), 1.4);
        const double y = top + 4 + depth * (h - top);
        const double len = 10 + depth * 70 * random.uniform(0.5, 1.2);
        const double x = random.uniform(-20, w);
        const bool light = random.uniform() < 0.55;
        p.setPen(QPen(light ? QColor(255, 255, 255, 70) : QColor(30, 50, 70, 45), 1 + depth * 2.2,
                      Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
}

void Scenery::paintFarShore(QPainter& p, double y)
{
    Random random(std::uint32_t(m_seed) * 17u + 5u);
    const double w = m_canvas.width();
    QList<QPointF> outline{{0, y}};
    for (int i = 0; i <= 12; ++i)
        outline.append({w * i / 12.0, y - 6 - random.uniform(0, 14)});
    outline.append({w, y});
    QPainterPath shore = paths::through(outline, false);
    shore.lineTo(w, y + 3);
    shore.lineTo(0, y + 3);
    shore.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(m_summer ? QColor(150, 170, 150) : QColor(160, 160, 150));
    p.drawPath(shore);
}

void Scenery::paintReflection(QPainter& p, const QImage& bird, double mirror, double opacity, bool wavy)
{
    QImage reflection(bird.size(), QImage::Format_ARGB32_Premultiplied);
    reflection.fill(Qt::transparent);
    {
        QPainter q(&reflection);
        q.translate(0, 2 * mirror);
        q.scale(1, -1);
        q.drawImage(0, 0, bird);
    }
    if (wavy) {
        const QImage straight = reflection.copy();
        for (int y = std::max(0, int(mirror)); y < reflection.height(); ++y) {
            const int shift = int(std::lround(std::sin(y * 0.45) * 2.5 * (1 + (y - mirror) / 80)));
            auto* out = reinterpret_cast<QRgb*>(reflection.scanLine(y));
            const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
            for (int x = 0; x < reflection.width(); ++x)
                out[x] = in[std::clamp(x + shift, 0, reflection.width() - 1)];
        }
    }
    paths::blur(reflection, 1, reflection.rect());
    p.save();
    p.setClipRect(QRectF(0, mirror, m_canvas.width(), m_canvas.height() - mirror));
    p.setOpacity(opacity);
    p.drawImage(0, 0, reflection);
    p.restore();
}

void Scenery::paintShadow(QPainter& p, const SceneAnchors& a)
{
    const double rx = std::max(a.body.width() * 0.55, 20.0);
    p.save();
    p.translate(a.feetX, a.baseline + 2);
    p.scale(1, 0.16);
    QRadialGradient shadow(QPointF(0, 0), rx);
    shadow.setColorAt(0, QColor(40, 30, 20, 90));
    shadow.setColorAt(1, QColor(40, 30, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

void Scenery::paintMudDetail(QPainter& p, double horizon)
{
    Random random(std::uint32_t(m_seed) * 13u + 1u);
    const double w = m_canvas.width(), h = m_canvas.height();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 16; ++i) {
        const double depth = std::pow(random.uniform(), 1.3);
        const double y = horizon + 6 + depth * (h - horizon - 6);
        const double len = 30 + depth * 150 * random.uniform(0.4, 1.0);
        p.setBrush(QColor(222, 230, 236, 70 + int(40 * random.uniform())));
        p.drawEllipse(QPointF(random.uniform(0, w), y), len / 2, 1.5 + depth * 5);
    }
    for (int i = 0; i < 40; ++i) {
        const double depth = random.uniform();
        p.setBrush(QColor(50, 40, 30, 90));
        p.drawEllipse(QPointF(random.uniform(0, w), horizon + 8 + depth * (h - horizon)), 1 + depth * 2.2,
                      0.6 + depth * 1.2);
    }
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 10; ++i) {
        const double depth = random.uniform(0.3, 1.0);
        const double y = horizon + depth * (h - horizon);
        const double x = random.uniform(0, w);
        p.setPen(QPen(QColor(60, 50, 40, 50), 1.2 + depth));
        p.drawArc(QRectF(x, y, 40 + depth * 80, 8 + depth * 8), 20 * 16, 140 * 16);
    }
}

void Scenery::paintGrassBlades(QPainter& p, double top, double bottom, int count, bool front,
                               const SceneAnchors& a)
{
    Random random(std::uint32_t(m_seed) * 7u + (front ? 11u : 2u));
    const double w = m_canvas.width();
    const QColor dark = m_summer ? QColor(70, 104, 48) : QColor(140, 118, 74);
    const QColor light = m_summer ? QColor(150, 184, 96) : QColor(214, 196, 140);
    for (int i = 0; i < count; ++i) {
        const double depth = random.uniform();
        const double y = top + depth * (bottom - top);
        const double x =
            front ? a.feetX + random.uniform(-1, 1) * a.body.width() * 0.8 : random.uniform(0, w);
        const double len = (front ? 0.3 * a.legLength + 8 : 6 + 26 * depth) * random.uniform(0.6, 1.3);
        const double lean = random.uniform(-0.5, 0.5) * len;
        p.setPen(QPen(paths::mix(dark, light, random.uniform()), front ? 2.4 : 1 + depth * 2, Qt::SolidLine,
                      Qt::RoundCap));
        QPainterPath blade;
        blade.moveTo(x, y);
        blade.quadTo(x + lean * 0.2, y - len * 0.6, x + lean, y - len);
        p.setBrush(Qt::NoBrush);
        p.drawPath(blade);
    }
}

void Scenery::paintFoliage(QPainter& p)
{
    QImage layer(m_canvas, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter q(&layer);
        q.setRenderHint(QPainter::Antialiasing);
        Random random(std::uint32_t(m_seed) * 5u + 9u);
        const double w = m_canvas.width(), h = m_canvas.height();
        q.setPen(Qt::NoPen);
        for (int i = 0; i < 18; ++i) {
            const double r = random.uniform(0.08, 0.22) * w;
            QColor c = m_summer ? paths::mix(QColor(120, 160, 90), QColor(180, 200, 140), random.uniform())
                                : paths::mix(QColor(170, 160, 150), QColor(200, 200, 206), random.uniform());
            if (m_setting == Setting::Blossom)
                c = paths::mix(QColor(214, 196, 200), QColor(190, 200, 176), random.uniform());
            c.setAlpha(m_summer ? 120 : 90);
            q.setBrush(c);
            q.drawEllipse(QPointF(random.uniform(0, w), random.uniform(0, h)), r, r);
        }
    }
    paths::blur(layer, 14, layer.rect());
    p.drawImage(0, 0, layer);
}

void Scenery::paintBranch(QPainter& p, const SceneAnchors& a)
{
    Random random(std::uint32_t(m_seed) * 19u + 4u);
    const double w = m_canvas.width();
    const double thick = std::max(10.0, 0.035 * m_canvas.height());
    const double slope = random.uniform(-0.12, 0.12);
    const QPointF through(a.feetX, a.baseline + thick * 0.45);
    auto yAt = [&](double x) { return through.y() + (x - through.x()) * slope + std::sin(x * 0.02) * 3; };
    const bool thickLeft = random.uniform() < 0.5;
    auto halfAt = [&](double x) {
        const double t = x / w;
        return thick * 0.5 * (thickLeft ? 1.3 - 0.5 * t : 0.8 + 0.5 * t);
    };
    const double from = -10, to = w + 10;
    QList<QPointF> top, bottom;
    for (int i = 0; i <= 40; ++i) {
        const double x = from + (to - from) * i / 40;
        top.append({x, yAt(x) - halfAt(x)});
        bottom.prepend({x, yAt(x) + halfAt(x)});
    }
    QLinearGradient bark(0, through.y() - thick, 0, through.y() + thick);
    bark.setColorAt(0, QColor(150, 126, 100));
    bark.setColorAt(0.5, QColor(104, 84, 64));
    bark.setColorAt(1, QColor(62, 50, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(bark);
    p.drawPath(paths::polygon(top + bottom));

    // twigs, and leaves or flowers on them
    for (int i = 0; i < 3; ++i) {
        const double x0 = i == 0 ? random.uniform(0.05, 0.2) * w : random.uniform(0.65, 0.95) * w;
        const double up = random.uniform() < 0.5 ? -1 : 1;
        const QPointF start(x0, yAt(x0));
        const QPointF end =
            start + QPointF(random.uniform(-0.25, 0.25) * w, up * random.uniform(0.12, 0.3) * w);
        p.setPen(QPen(QColor(92, 74, 58), thick * 0.35, Qt::SolidLine, Qt::RoundCap));
        QPainterPath twig;
        twig.moveTo(start);
        twig.quadTo((start + end) / 2 + QPointF(8, 0), end);
        p.setBrush(Qt::NoBrush);
        p.drawPath(twig);
        for (int k = 1; k <= 4; ++k) {
            const QPointF at = twig.pointAtPercent(k / 4.5);
            p.setPen(Qt::NoPen);
            if (m_setting == Setting::Blossom) {
                for (int petal = 0; petal < 5; ++petal) {
                    const QPointF off = paths::direction(petal * 72 + k * 17) * thick * 0.45;
                    p.setBrush(QColor(250, 236, 240));
                    p.drawEllipse(at + off, thick * 0.36, thick * 0.36);
                }
                p.setBrush(QColor(228, 190, 80));
                p.drawEllipse(at, thick * 0.18, thick * 0.18);
            } else if (m_summer) {
                p.save();
                p.translate(at);
                p.rotate(random.uniform(-60, 60) + (k % 2 ? 30 : -150));
                QPainterPath leaf;
                const double l = thick * 2.2;
                leaf.moveTo(0, 0);
                leaf.quadTo(l * 0.5, -l * 0.32, l, 0);
                leaf.quadTo(l * 0.5, l * 0.32, 0, 0);
                p.setBrush(paths::mix(QColor(82, 128, 60), QColor(128, 166, 80), random.uniform()));
                p.drawPath(leaf);
                p.restore();
            } else {
                p.setBrush(QColor(120, 80, 60));
                p.drawEllipse(at, thick * 0.15, thick * 0.2);
            }
        }
    }
}

void Scenery::paintReeds(QPainter& p, const SceneAnchors& a)
{
    Random random(std::uint32_t(m_seed) * 23u + 8u);
    const double w = m_canvas.width(), h = m_canvas.height();
    const QColor stem = m_summer ? QColor(128, 150, 90) : QColor(196, 168, 112);
    QImage far(m_canvas, QImage::Format_ARGB32_Premultiplied);
    far.fill(Qt::transparent);
    {
        QPainter q(&far);
        q.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 26; ++i) {
            const double x = random.uniform(0, w);
            const double top = random.uniform(0.2, 0.6) * h;
            q.setPen(QPen(paths::withAlpha(stem.lighter(115), 150), random.uniform(2, 4), Qt::SolidLine,
                          Qt::RoundCap));
            q.drawLine(QPointF(x, h), QPointF(x + random.uniform(-12, 12), top));
            if (random.uniform() < 0.5) {
                q.setPen(Qt::NoPen);
                q.setBrush(paths::withAlpha(m_summer ? QColor(150, 130, 110) : QColor(170, 140, 110), 150));
                q.drawEllipse(QPointF(x, top), 5, 18);
            }
        }
    }
    paths::blur(far, 3, far.rect());
    p.drawImage(0, 0, far);

    // the stem the bird clings to, slanting through its feet
    const QPointF feet(a.feetX, a.baseline + 3);
    const QPointF low(feet.x() - 0.12 * w, h + 10), high(feet.x() + 0.14 * w, -10);
    p.setPen(QPen(stem.darker(120), std::max(6.0, 0.016 * h), Qt::SolidLine, Qt::RoundCap));
    QPainterPath main;
    main.moveTo(low);
    main.quadTo(feet + (feet - (low + high) / 2), high);
    p.setBrush(Qt::NoBrush);
    p.drawPath(main);
    p.setPen(QPen(stem.lighter(120), 2));
    p.drawPath(main.translated(-1.5, 0));
    // a couple of leaves
    p.setPen(Qt::NoPen);
    p.setBrush(stem);
    for (double t : {0.25, 0.8}) {
        const QPointF at = main.pointAtPercent(t);
        QPainterPath leaf;
        leaf.moveTo(at);
        leaf.quadTo(at + QPointF(0.15 * w, -0.02 * h), at + QPointF(0.3 * w, 0.1 * h));
        leaf.quadTo(at + QPointF(0.12 * w, 0.02 * h), at + QPointF(0, 6));
        p.drawPath(leaf);
    }
}

void Scenery::paintPost(QPainter& p, const SceneAnchors& a)
{
    const double h = m_canvas.height();
    const double half = std::clamp(a.body.width() * 0.32, 26.0, 60.0);
    const double top = a.baseline;
    const QRectF post(a.feetX - half, top, 2 * half, h - top + 2);
    QLinearGradient wood(post.left(), 0, post.right(), 0);
    wood.setColorAt(0, QColor(150, 128, 102));
    wood.setColorAt(0.45, QColor(122, 100, 78));
    wood.setColorAt(1, QColor(74, 60, 48));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(post);
    Random random(std::uint32_t(m_seed) * 29u);
    for (int i = 0; i < 7; ++i) {
        const double x = post.left() + random.uniform(0.1, 0.9) * post.width();
        p.setPen(QPen(QColor(50, 40, 30, 70), 1.5));
        p.drawLine(QPointF(x, top + 10), QPointF(x + random.uniform(-3, 3), h));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(176, 156, 128));
    p.drawEllipse(QPointF(a.feetX, top), half, half * 0.22);
}

void Scenery::paintRock(QPainter& p, const SceneAnchors& a)
{
    const double w = m_canvas.width(), h = m_canvas.height();
    Random random(std::uint32_t(m_seed) * 37u);
    const double top = a.baseline;
    QList<QPointF> outline{{a.feetX - 0.62 * w, h + 5},          {a.feetX - 0.42 * w, top + 0.12 * h},
                           {a.feetX - 0.22 * w, top + 0.02 * h}, {a.feetX, top - 2},
                           {a.feetX + 0.24 * w, top + 0.03 * h}, {a.feetX + 0.45 * w, top + 0.16 * h},
                           {a.feetX + 0.62 * w, h + 5}};
    for (QPointF& q : outline)
        q += QPointF(random.uniform(-4, 4), random.uniform(-3, 3) * (q.y() < h ? 1 : 0));
    outline[3] = {a.feetX, top};
    QLinearGradient stone(0, top, 0, h);
    stone.setColorAt(0, QColor(150, 144, 136));
    stone.setColorAt(0.3, QColor(112, 104, 96));
    stone.setColorAt(1, QColor(70, 66, 62));
    p.setPen(Qt::NoPen);
    p.setBrush(stone);
    p.drawPath(paths::through(outline, true));
    for (int i = 0; i < 12; ++i) {
        const QPointF at(a.feetX + random.uniform(-0.4, 0.4) * w,
                         top + random.uniform(0.05, 1.0) * (h - top));
        p.setPen(QPen(QColor(40, 36, 34, 70), 1.5));
        p.drawLine(at, at + QPointF(random.uniform(-20, 20), random.uniform(4, 16)));
    }
}

void Scenery::paintBehind(QPainter& p, const SceneAnchors& a, const QImage& bird)
{
    const double horizon = horizonFor(a);
    paintSky(p, horizon);
    const double h = m_canvas.height();
    switch (m_setting) {
    case Setting::Mudflat:
        paintGround(p, horizon, QColor(178, 172, 158), QColor(118, 106, 90));
        paintMudDetail(p, horizon);
        paintReflection(p, bird, a.baseline, 0.22, false);
        paintShadow(p, a);
        break;
    case Setting::Sand:
        paintGround(p, horizon, QColor(232, 222, 196), QColor(204, 186, 152));
        paintShadow(p, a);
        break;
    case Setting::Shallows:
        paintFarShore(p, horizon);
        paintWaterSurface(p, horizon, QColor(196, 210, 212), QColor(134, 156, 160));
        paintReflection(p, bird, waterLevel(a), 0.4, true);
        break;
    case Setting::Water:
        paintFarShore(p, horizon);
        paintWaterSurface(p, horizon, QColor(184, 204, 212), QColor(96, 128, 146));
        paintReflection(p, bird, a.baseline, 0.45, true);
        break;
    case Setting::Grass:
        paintGround(p, horizon, m_summer ? QColor(170, 190, 130) : QColor(206, 194, 150),
                    m_summer ? QColor(104, 136, 72) : QColor(160, 140, 98));
        paintGrassBlades(p, horizon + 4, h, 160, false, a);
        paintShadow(p, a);
        break;
    case Setting::Branch:
    case Setting::Blossom:
        paintFoliage(p);
        paintBranch(p, a);
        break;
    case Setting::Reeds:
        paintReeds(p, a);
        break;
    case Setting::Wire:
        p.setPen(QPen(QColor(50, 50, 56), 3.5));
        p.drawLine(QPointF(-5, a.baseline + 2 - 0.04 * h),
                   QPointF(m_canvas.width() + 5, a.baseline + 2 + 0.04 * h));
        p.setPen(QPen(QColor(70, 70, 76, 160), 2.5));
        p.drawLine(QPointF(-5, a.baseline + 0.16 * h), QPointF(m_canvas.width() + 5, a.baseline + 0.22 * h));
        break;
    case Setting::Post:
        paintFarShore(p, horizon);
        paintWaterSurface(p, horizon, QColor(196, 210, 216), QColor(150, 170, 180));
        paintPost(p, a);
        break;
    case Setting::Rock:
        paintWaterSurface(p, horizon, QColor(170, 192, 206), QColor(110, 140, 160));
        paintRock(p, a);
        break;
    }
}

void Scenery::paintFront(QPainter& p, const SceneAnchors& a)
{
    const double w = m_canvas.width(), h = m_canvas.height();
    if (m_setting == Setting::Grass)
        paintGrassBlades(p, a.baseline - 2, a.baseline + 0.04 * h, 26, true, a);
    if (m_setting == Setting::Shallows) {
        const double level = waterLevel(a);
        p.fillRect(QRectF(0, level, w, h - level), QColor(150, 172, 178, 120));
        p.setPen(QPen(QColor(255, 255, 255, 120), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(a.feetX, level), a.body.width() * 0.3, 5);
        p.drawEllipse(QPointF(a.feetX, level + 2), a.body.width() * 0.5, 9);
    }
    if (m_setting == Setting::Water) {
        const QRectF b = a.body;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 120), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(b.left() + 4, a.baseline), QPointF(b.right() - 4, a.baseline));
        p.setPen(QPen(QColor(255, 255, 255, 70), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(b.left() - 20, a.baseline - 6, b.width() + 40, 18), 180 * 16, 180 * 16);
        p.drawArc(QRectF(b.left() - 50, a.baseline - 8, b.width() + 100, 30), 200 * 16, 140 * 16);
    }
}
