#pragma once

#include <array>

class PictureBox;

// The zoom-in: a freshly loaded picture is shown 20 times, growing from 1/20 of
// its size to its full size, always centred on the centre of the picture box's
// design rectangle. Every operation is done in 32-bit floating point, rounded
// after each step, in the order written below.
namespace zoom {

struct DesignRect
{
    short top = 0;
    short left = 0;
    short width = 0;
    short height = 0;
};

struct Frame
{
    float left, top, width, height;
};

inline constexpr int Steps = 20;

// The frames for a picture of its own size w × h twips.
std::array<Frame, Steps> frames(float w, float h, const DesignRect& design);

// Grows the picture in the box, which the caller has hidden, set to no stretch
// and loaded. Each frame is painted as it is set, so the growth is seen; input
// waits until the last frame. A box without a picture is left hidden: there is
// nothing to grow (and its zero width would divide by zero).
void zoomIn(PictureBox& box, const DesignRect& design);

} // namespace zoom
