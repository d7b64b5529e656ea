#include "Species.h"

#include <optional>

using namespace Qt::StringLiterals;
using namespace mark;

// The further pictures of the media set: what a birder meets beside the bird of the first
// picture. Each is a row of the species table with another plumage or view.

namespace {

const QColor Black(0x1c1a1a);
const QColor White(0xf6f6f2);

// The mottled brown of a female dabbling duck: dark feather centres with buff edges, a dark
// crown and eye stripe, and the speculum showing at the rear of the folded wing.
Plumage mottledFemale(const QColor& base, const QColor& dark, const QColor& bill, const QColor& speculum,
                      const QList<Mark>& extra = {})
{
    Plumage plumage{.upper = base.darker(130),
                    .under = base.lighter(112),
                    .head = base.lighter(118),
                    .throat = base.lighter(135),
                    .wing = base.darker(125),
                    .tail = base.darker(140),
                    .bill = bill,
                    .pattern = WingPattern::Fringed,
                    .fringe = base.lighter(145)};
    plumage.marks = {cap(dark, -0.35), eyeStripe(dark, 0.12),
                     texture(Frame::Head, MarkKind::Streaks, {-1.0, -0.8, 2.0, 1.6}, dark, 16, 1.6),
                     texture(Frame::Body, MarkKind::Chevrons, {-1.0, -0.3, 2.0, 1.3}, dark, 40, 3.0),
                     ellipse(Frame::Wing, 0.6, 0.8, 0.1, 0.12, speculum, false)};
    plumage.marks += extra;
    return plumage;
}

// A diving duck's female: plain dark brown, paler on the flanks, her yellow eye.
Plumage plainFemale(const QColor& body, const QColor& flank, const QColor& bill, const QList<Mark>& extra)
{
    Plumage plumage{.upper = body.darker(115),
                    .under = flank,
                    .head = body,
                    .throat = body,
                    .wing = body.darker(110),
                    .tail = body.darker(140),
                    .bill = bill,
                    .billTip = Black,
                    .tipFrom = 0.88,
                    .iris = 0xf0d020,
                    .pattern = WingPattern::Smooth};
    plumage.marks = {breast(body, 0.9), rear(body.darker(120), -0.62)};
    plumage.marks += extra;
    return plumage;
}

FurtherPicture female(int number, Plumage plumage, const std::optional<BirdShape>& shape = std::nullopt)
{
    Species species = *findSpecies(number);
    species.plumage = std::move(plumage);
    if (shape)
        species.shape = *shape;
    // Seen from the other side, so she is not taken for the drake by her outline alone.
    species.facingRight = !species.facingRight;
    return {number, 2, species, {u"雌"_s}};
}

// clang-format off
QList<FurtherPicture> table()
{
    return {
        female(66, mottledFemale(QColor(0x9a8266), QColor(0x4a3a2c), QColor(0x3a3a36), QColor(0x1e6a4a),
                                 {stroke(Frame::Body, {{-0.55, 0.1}, {-0.95, 0.15}}, 0.12, QColor(0xe8dcc0), false)})),
        female(67, plainFemale(QColor(0x4a3a30), QColor(0x8a7460), QColor(0x6a7a90),
                               {ellipse(Frame::Head, 1.1, 0.05, 0.14, 0.18, QColor(0xd8d0c0))})),
        female(68, plainFemale(QColor(0x5a4a3c), QColor(0x9a8a78), QColor(0x7a8aa0),
                               {ellipse(Frame::Head, 0.92, 0.08, 0.3, 0.4, White, false),
                                texture(Frame::Body, MarkKind::Vermiculation, {-0.6, -1.0, 1.2, 0.7},
                                        QColor(0x9a9a9a), 10, 0.3)})),
        // Her pointed tail is far shorter than the drake's pin.
        female(69, mottledFemale(QColor(0xa89274), QColor(0x5a4a3a), QColor(0x3a3c40), QColor(0x6a5a3a)),
               build::duck().neck(28, 76, 24).head(13).billShape(BillKind::Duck, 22, 6.5)
                   .tailShape(TailKind::Pin, 14, 14, -8)),
        female(70, mottledFemale(QColor(0x9a8468), QColor(0x4a3c2e), QColor(0xd88a3a), White,
                                 {stroke(Frame::Bill, {{0.05, -0.2}, {0.85, -0.2}}, 0.5, QColor(0x3a3430), false)})),
        female(71, mottledFemale(QColor(0x8a6e54), QColor(0x3a2c22), QColor(0x2a2a2a), QColor(0x1e6a4a),
                                 {ellipse(Frame::Head, 0.95, 0.12, 0.2, 0.22, White, false)})),
        female(73, mottledFemale(QColor(0xa4865e), QColor(0x4a3a28), QColor(0xd8843a), QColor(0x2a4aa8),
                                 {stroke(Frame::Bill, {{0.15, -0.25}, {0.75, -0.3}}, 0.55, QColor(0x3a3430), false)})),
        female(80, mottledFemale(QColor(0x8a7660), QColor(0x3e342a), QColor(0x2a2a2a), QColor(0x2a3a34))),
    };
}
// clang-format on

} // namespace

const QList<FurtherPicture>& furtherPictures()
{
    static const QList<FurtherPicture> pictures = table();
    return pictures;
}
