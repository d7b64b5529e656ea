#pragma once

#include <QRect>
#include <QSize>

#include <algorithm>
#include <cmath>

// Layouts are in twips, 1/1440 inch: 15 twips to a device-independent pixel
// at the design size. The window's scale factor (1 at the design size) is
// applied here and nowhere else; Qt's high-DPI scaling then maps those pixels
// onto the screen.
inline constexpr float TwipsPerPixel = 15.0f;

struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// The one rounding rule: twips × factor / 15, rounded to the nearest pixel,
// halves away from zero. The factor is applied before rounding, so a window
// at factor 2 is twice the exact design size, never twice a rounded one.
inline int twipsToPixels(float twips, double factor)
{
    return int(std::lround(double(twips) * factor / double(TwipsPerPixel)));
}

// Edges are rounded, not sizes, so controls that meet in twips meet in pixels.
inline QRect toPixels(const TwipsRect& r, double factor)
{
    const int left = twipsToPixels(r.left, factor);
    const int top = twipsToPixels(r.top, factor);
    return QRect(left, top, twipsToPixels(r.left + r.width, factor) - left,
                 twipsToPixels(r.top + r.height, factor) - top);
}

// Lines and borders are whole pixels: one at the design size and at factors
// below 2, then as many as the factor's whole part, so no line is ever blurred
// over two pixels.
inline int lineWidth(double factor)
{
    return std::max(1, int(std::floor(factor + 1e-9)));
}
