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

FurtherPicture inFlight(int number, const FlightShape& shape, const FlightLook& look, QStringList tags,
                        QSize size = {260, 320})
{
    FurtherPicture picture{number, 2, *findSpecies(number), std::move(tags), std::nullopt};
    picture.flight = FlightPicture{shape, look, size.width(), size.height(), false};
    return picture;
}

// A wader's wing: long, pointed, swept back at the hand.
FlightShape wader(double body, double bill, double span)
{
    return {.body = body,
            .girth = body * 0.27,
            .head = body * 0.13,
            .bill = bill,
            .billWidth = body * 0.05,
            .span = span,
            .chord = span * 0.3,
            .carpal = 0.42,
            .sweep = 0.12,
            .tipChord = 0.18,
            .tail = body * 0.3,
            .tailWidth = body * 0.24};
}

// A raptor's wing: long and broad, the primaries spread as fingers at its end.
FlightShape raptor(double span, double chord, double sweep, int fingers, double tail, FlightTail cut)
{
    return {.body = 70,
            .girth = 22,
            .head = 10,
            .bill = 6,
            .billWidth = 6,
            .span = span,
            .chord = chord,
            .carpal = 0.45,
            .sweep = sweep,
            .tipChord = 0.6,
            .fingers = fingers,
            .tail = tail,
            .tailWidth = 24,
            .tailCut = cut};
}

QList<FurtherPicture> inFlightTable()
{
    using namespace flightmark;
    const QColor Curlew(0x8e7050), CurlewDark(0x5a4432);
    FlightShape curlew = wader(70, 62, 92);
    curlew.tailCut = FlightTail::Rounded;
    curlew.billCurve = 0.22;
    FlightShape godwit = wader(62, 44, 84);
    const FlightShape plover = wader(58, 14, 80);
    const FlightLook underPlover{.fromBelow = true,
                                 .body = 0xecebe6,
                                 .head = 0xe4e2dc,
                                 .wing = 0xf0f0ec,
                                 .flight = 0xdcdcd8,
                                 .tips = 0xc4c4c0,
                                 .tail = 0xf0f0ec,
                                 .bill = Black,
                                 .wingPatches = {armpit(Black)},
                                 .tailBars = 4,
                                 .tailBarColour = 0xb0b0ac};
    FlightLook summerPlover = underPlover;
    summerPlover.body = Black;
    summerPlover.head = 0x2a2a2a;
    summerPlover.breastBand = {};
    return {
        // Far Eastern Curlew: brown to the tail, no white on the rump or back.
        inFlight(8, curlew,
                 {.body = Curlew,
                  .head = Curlew.lighter(108),
                  .wing = Curlew,
                  .flight = CurlewDark,
                  .tips = 0x3a2e24,
                  .tail = 0x9a7c5a,
                  .bill = 0x2a2420,
                  .rump = 0x94704a,
                  .rumpReach = 0.35,
                  .wingPatches = {coverts(QColor(0x9a7a58), 0.4)},
                  .tailBars = 5,
                  .tailBarColour = CurlewDark},
                 {u"飛翔"_s}),
        // Eurasian Curlew: a white wedge from the tail up the back.
        inFlight(56, curlew,
                 {.body = 0x9a8466,
                  .head = 0xa08a6c,
                  .wing = 0x947e62,
                  .flight = 0x5e4c3a,
                  .tips = 0x3a2e24,
                  .tail = 0xf0ece4,
                  .bill = 0x2a2420,
                  .rump = White,
                  .rumpReach = 0.62,
                  .tailBars = 5,
                  .tailBarColour = 0x8a7458},
                 {u"飛翔"_s}),
        // Black-tailed Godwit: a broad white bar along the wing, white rump, black tail band.
        inFlight(50, godwit,
                 {.body = 0x8a8478,
                  .head = 0x948e82,
                  .wing = 0x7e786e,
                  .flight = 0x3a3632,
                  .tips = 0x1e1c1a,
                  .tail = White,
                  .bill = 0x6a4a40,
                  .rump = White,
                  .rumpReach = 0.28,
                  .wingPatches = {wingBar(White, 0.0, 0.88, 0.2)},
                  .tailBand = Black,
                  .tailBandFrom = 0.3},
                 {u"飛翔"_s, u"冬羽"_s}),
        // Bar-tailed Godwit: no wing bar; a pale, barred rump and tail.
        inFlight(51, godwit,
                 {.body = 0x9a8c74,
                  .head = 0xa49680,
                  .wing = 0x8a7c66,
                  .flight = 0x6a5e4e,
                  .tips = 0x3a3028,
                  .tail = 0xd8d0c0,
                  .bill = 0x6a4a40,
                  .rump = 0xd8d0c0,
                  .rumpReach = 0.4,
                  .tailBars = 7,
                  .tailBarColour = 0x7a6a56},
                 {u"飛翔"_s, u"冬羽"_s}),
        // Grey Plover from below: the black armpits, in either dress.
        inFlight(22, plover, summerPlover, {u"飛翔"_s, u"夏羽"_s}),
        inFlight(63, plover, underPlover, {u"飛翔"_s, u"冬羽"_s}),
        // Osprey from below: long narrow wings crooked at the wrist, black carpal patches.
        inFlight(76, raptor(120, 32, 0.35, 4, 30, FlightTail::Square),
                 {.fromBelow = true,
                  .body = White,
                  .head = White,
                  .wing = 0xf2f0ea,
                  .flight = 0xc8c2b8,
                  .tips = 0x3a342e,
                  .tail = 0xd8d2c8,
                  .bill = Black,
                  .wingPatches = {carpal(QColor(0x2e2822), 0.5)},
                  .tailBars = 5,
                  .tailBarColour = 0x8a7e70,
                  .faceMark = 0x3a322c,
                  .breastBand = {0x8a7a68}},
                 {u"飛翔"_s}, {298, 340}),
        // Black Kite from below: dark, pale windows at the hand, a forked tail.
        inFlight(77, raptor(118, 36, 0.2, 6, 44, FlightTail::Forked),
                 {.fromBelow = true,
                  .body = 0x5a4434,
                  .head = 0x6a5444,
                  .wing = 0x4e3a2c,
                  .flight = 0x4a3a30,
                  .tips = 0x221a16,
                  .tail = 0x5e4a3a,
                  .bill = Black,
                  .wingPatches = {primaryWindow(QColor(0xb8aa98), 0.6)},
                  .tailBars = 6,
                  .tailBarColour = 0x4a382a},
                 {u"飛翔"_s}, {298, 340}),
        // Eastern Marsh Harrier from below: long wings and a long tail, dark hand, pale wing.
        inFlight(78, raptor(112, 30, 0.1, 5, 52, FlightTail::Rounded),
                 {.fromBelow = true,
                  .body = 0xe8e4dc,
                  .head = 0x3a3430,
                  .wing = 0xe6e4e0,
                  .flight = 0xd4d2ce,
                  .tips = 0x1e1c1c,
                  .tail = 0xbcb8b2,
                  .bill = 0x2a2a2a,
                  .tailBars = 4,
                  .tailBarColour = 0x8a8680,
                  .breastBand = {0x4a403a, 0x8a7e74}},
                 {u"飛翔"_s}, {298, 340}),
    };
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
    static const QList<FurtherPicture> pictures = table() + inFlightTable();
    return pictures;
}
