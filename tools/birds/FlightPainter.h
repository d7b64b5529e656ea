#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>

class QPainter;
class QPainterPath;

// A bird in flight, seen from above or from below with its wings spread: the view a field
// guide gives for what only shows in flight (a white rump, a wing bar, black armpits, a
// raptor's outline). Lengths are in bird units; the painter fits the bird to the picture.
enum class FlightTail { Square, Wedge, Rounded, Forked };

struct FlightShape
{
    double body = 60;       // bill base to tail base
    double girth = 16;      // body width
    double head = 9;        // head radius
    double bill = 20;       // bill length
    double billWidth = 3.5; // at the base
    double billCurve = 0.0; // how far a decurved bill bends, in bill lengths, as a banking bird shows it
    double span = 80;       // one wing, shoulder to tip
    double chord = 24;      // wing width at the shoulder
    double carpal = 0.45;   // where the wrist bends, 0 shoulder .. 1 tip
    double sweep = 0.0;     // how far the wrist is thrust forward, in chords
    double tipChord = 0.25; // wing width at the tip, in chords: low pointed, high broad
    int fingers = 0;        // slotted primaries at a broad tip, as on a raptor
    double tail = 22;
    double tailWidth = 16;
    FlightTail tailCut = FlightTail::Square;
};

// A mark on the wing, in wing units: x 0 shoulder .. 1 tip, y 0 leading .. 1 trailing edge.
struct WingPatch
{
    QList<QPointF> outline;
    QColor colour;
};

struct FlightLook
{
    bool fromBelow = false;
    QColor body, head, wing, flight, tips, tail, bill;
    QColor rump{};                  // from above: the rump and lower back, when it differs
    double rumpReach = 0.0;         // how far up the back it runs, 0 .. 1 of the body
    QList<WingPatch> wingPatches{}; // wing bars, carpal patches, armpits, pale primary bases
    int tailBars = 0;               // dark bars across the tail
    QColor tailBarColour{};
    QColor tailBand{};          // a broad band at the tail's end
    double tailBandFrom = 0.55; // where the band starts, 0 base .. 1 tip
    QColor faceMark{};          // a stripe through the eye
    QList<QColor> breastBand{}; // a dark breast or belly band, from below
};

struct FlightPicture
{
    FlightShape shape;
    FlightLook look;
    int width = 280; // picture size in pixels
    int height = 220;
    bool headRight = false;
};

// Paints the picture at its own size and, when asked, at twice that size.
QImage paintFlight(const FlightPicture& picture, int seed, QImage* twice = nullptr);

namespace flightmark {

// A pale or dark bar along the wing, behind the coverts.
WingPatch wingBar(const QColor& colour, double from = 0.05, double to = 0.85, double width = 0.16);
// The axillaries: a patch where the wing meets the body, from below.
WingPatch armpit(const QColor& colour);
// A dark patch at the wrist, from below.
WingPatch carpal(const QColor& colour, double at);
// The pale bases of the primaries, a window near the tip.
WingPatch primaryWindow(const QColor& colour, double at);
// The coverts, from the leading edge back to depth, in another colour.
WingPatch coverts(const QColor& colour, double depth = 0.45);

} // namespace flightmark
