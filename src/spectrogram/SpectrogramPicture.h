#pragma once

#include "Spectrogram.h"

#include <QImage>
#include <QSize>

// How a spectrogram is drawn: time across, frequency up on a log scale from a
// gull's grunt to a warbler's trill, dark where it is loud, as in the printed
// sonograms of field guides. Widget-free: the picture is made on a worker at
// the device pixels it is shown at.
namespace spectrogram {

inline constexpr double LowestHz = 500;
inline constexpr double HighestHz = 12000;
// Levels this far below the call's loudest are white.
inline constexpr double RangeDb = 60;
// And so is anything quieter than this, however quiet the loudest: a silent
// recording is white, not noise stretched to black.
inline constexpr double FloorDb = -100;

// Where a frequency lies in a plot `height` pixels high, in pixels from the top
// (0 at HighestHz, height at LowestHz); and back.
double yOf(double hz, double height);
double hzAt(double y, double height);
// Where a time lies in a plot `width` pixels wide showing `seconds`; and back.
double xOf(double at, double seconds, double width);

// The plot alone, `pixels` in size, Format_Grayscale8: white where quiet.
// Frequencies the recording cannot hold (above half its sample rate) are white.
QImage render(const Spectrogram& spectrogram, QSize pixels);

} // namespace spectrogram
