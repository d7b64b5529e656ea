#pragma once

#include <QRect>
#include <QSize>

#include <cmath>

// Layouts are in twips, 1/1440 inch: 15 twips to a device-independent pixel.
// Qt's high-DPI scaling then maps those pixels onto the screen.
inline constexpr float TwipsPerPixel = 15.0f;

struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

inline int twipsToPixels(float twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

// Edges are rounded, not sizes, so controls that meet in twips meet in pixels.
inline QRect toPixels(const TwipsRect& r)
{
    const int left = twipsToPixels(r.left);
    const int top = twipsToPixels(r.top);
    return QRect(left, top, twipsToPixels(r.left + r.width) - left, twipsToPixels(r.top + r.height) - top);
}
