#pragma once

#include <QRect>
#include <QSize>

// The size every window is shown at, as a factor of its design size: 1 at the
// design size, up to 3. Keys step it by a quarter; a window resized by its
// frame takes any factor in between. The settings remember the factor for the
// next showing and the next run.
namespace formscale {

inline constexpr double Smallest = 1.0;
inline constexpr double Largest = 3.0;
inline constexpr double Step = 0.25;

double clamped(double factor);

// The next step up (Ctrl++) or down (Ctrl+-) from any factor. A step up that
// goes beyond `limit` leaves the factor as it is.
double larger(double factor, double limit = Largest);
double smaller(double factor);

// The largest factor at which a window of `design` pixels (at factor 1), plus
// its frame, fits into the screen's available area; at least 1.
double fitting(QSize design, QSize frame, QRect available);

} // namespace formscale
