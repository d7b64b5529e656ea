#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>

// Where a mark lies. Every part has its own frame, so a mark keeps its place on
// the bird whatever the proportions:
//  Head: x forward along the head (towards the bill), y down; unit = head radius.
//  Neck: x = 0 at the base .. 1 at the head, y = -1 hind side .. +1 front side.
//  Body: x = -1 rear .. +1 breast, y = -1 back .. +1 belly.
//  Wing: x = 0 shoulder .. 1 tip, y = 0 upper edge .. 1 lower edge.
//  Tail: x = 0 base .. 1 tip, y = -1 .. +1 across.
//  Bill: x = 0 base .. 1 tip, y = -1 upper edge .. +1 lower edge.
enum class Frame { Head, Neck, Body, Wing, Tail, Bill };

enum class MarkKind {
    Ellipse,      // points: centre, radii
    Blob,         // points: outline, smoothed
    Stroke,       // points: a smoothed line of width `size`
    Streaks,      // points: corners of the area; short lengthwise strokes
    Spots,        // round dots
    Bars,         // cross bars
    LevelBars,    // bars level as the bird sits, as on a cuckoo's underparts
    Chevrons,     // V marks, as on a thrush's breast
    Vermiculation // fine wavy lines, as on a drake's flanks
};

struct Mark
{
    Frame frame = Frame::Body;
    MarkKind kind = MarkKind::Ellipse;
    QList<QPointF> points{};
    double size = 0.1;
    QColor colour{};
    bool soft = true; // soft-edged like a feather tract, or crisp
    int count = 0;    // textures: how many marks
};

// The look of the folded wing's feathers.
enum class WingPattern {
    Plain,        // feathers just visible
    Fringed,      // pale edges
    Spangled,     // dark centres, notched pale edges
    Streaked,     // dark shaft streaks, pale edges
    Barred,       // dark cross bars
    Vermiculated, // fine grey lines
    Smooth        // no feather detail
};

struct Plumage
{
    QColor upper{};     // back and hind neck
    QColor under{};     // belly and fore neck
    QColor head{};      // crown and face
    QColor throat{};    // chin and throat
    QColor wing{};      // coverts and tertials
    QColor primaries{}; // wing tip
    QColor tail{};
    QColor bill{};
    QColor billTip{};
    double tipFrom = 0.65; // where the bill tip colour takes over
    QColor legs{};
    QColor feet{}; // toes, when they differ from the legs
    QColor iris{};
    QColor eyeRing{};
    WingPattern pattern = WingPattern::Plain;
    QColor fringe{}; // feather edges
    QColor crest{};
    QColor ruff{};    // a frill framing the face, as on a grebe in breeding dress
    QColor plumes{};  // lacy display plumes trailing from the back, as on an egret
    QColor sickles{}; // long curved tertials drooping over the flank, as on a drake Falcated Duck
    QList<Mark> marks{};
};

// Field marks, in the words of a field guide. Each returns a mark in its part's frame.
namespace mark {

Mark ellipse(Frame frame, double x, double y, double rx, double ry, const QColor& colour, bool soft = true);
Mark blob(Frame frame, const QList<QPointF>& outline, const QColor& colour, bool soft = true);
Mark stroke(Frame frame, const QList<QPointF>& line, double width, const QColor& colour, bool soft = true);
Mark texture(Frame frame, MarkKind kind, const QRectF& area, const QColor& colour, int count, double size);

// head
Mark cap(const QColor& colour, double lower = -0.3);
Mark hood(const QColor& colour, double reach = 1.0);
Mark eyeStripe(const QColor& colour, double width = 0.22);
Mark lores(const QColor& colour, double width = 0.2);
Mark supercilium(const QColor& colour, double width = 0.18);
Mark cheek(const QColor& colour, double size = 1.0);
Mark throatPatch(const QColor& colour);
Mark earSpot(const QColor& colour, double size = 0.25);
Mark moustache(const QColor& colour, double width = 0.3);
Mark forehead(const QColor& colour, double size = 0.4);
Mark crownStripe(const QColor& colour);
Mark mask(const QColor& colour);

// neck
Mark foreneck(const QColor& colour, double from = 0.0, double to = 1.0);
Mark hindneck(const QColor& colour, double from = 0.0, double to = 1.0);
Mark neckBand(const QColor& colour, double from, double to);
Mark collar(const QColor& colour, double at = 0.15, double width = 0.18);

// body
Mark breast(const QColor& colour, double size = 1.0);
Mark breastBand(const QColor& colour, double width = 0.35);
Mark belly(const QColor& colour, double size = 1.0);
Mark flank(const QColor& colour, double size = 1.0);
Mark rear(const QColor& colour, double from = -0.55);
Mark back(const QColor& colour, double lower = -0.2);
Mark vent(const QColor& colour);

} // namespace mark
