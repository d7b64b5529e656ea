#pragma once

#include <QObject>
#include <QTimer>

#include <array>

class PictureBox;

// The zoom-in, one feature under three names: src/presentation is the layer
// that shows a bird (BirdShow uses this to grow its picture), ZoomIn.h/.cpp
// and the namespace zoom are the zoom-in alone, and zoomIn() starts one.
//
// A freshly loaded picture is shown 20 times, growing from 1/20 of its size to its full size, always centred
// on the centre of the picture box's design rectangle. Every operation is done in 32-bit floating point,
// rounded after each step, in the order written below.
namespace zoom {

struct DesignRect
{
    short top = 0;
    short left = 0;
    short width = 0;
    short height = 0;
};

// A picture box's rectangle as laid out, in whole twips: the bird grows
// towards its centre and ends fitted to it.
DesignRect designRectOf(const PictureBox& box);

struct Frame
{
    float left, top, width, height;
};

inline constexpr int Steps = 20;

// The frames for a picture of its own size w × h twips.
std::array<Frame, Steps> frames(float w, float h, const DesignRect& design);

// Plays the frames in a picture box from a timer, one every few milliseconds,
// so the growth is seen while clicks are still taken between frames. It lives
// in the box and goes with it.
class Growth final : public QObject
{
    Q_OBJECT
public:
    explicit Growth(PictureBox& box);

    // Starts over with these frames; a growth still running ends where it is.
    void start(const std::array<Frame, Steps>& frames);
    void stop();
    // Shows the remaining frames at once, ending where the growth would have.
    void finish();
    bool isRunning() const { return m_timer.isActive(); }

Q_SIGNALS:
    void stepped(int step); // 1..Steps, just after that frame was set
    void finished();

private:
    void showNext();

    PictureBox& m_box;
    QTimer m_timer;
    std::array<Frame, Steps> m_frames{};
    int m_next = 0;
};

// Grows the picture in the box, which the caller has hidden, set to no stretch
// and loaded; returns at once. A new growth in the same box ends the last one.
// A box without a picture is left hidden: there is nothing to grow (and its
// zero width would divide by zero), and the result is null.
Growth* zoomIn(PictureBox& box, const DesignRect& design);

// The growth of a box, if it ever had one.
Growth* growthOf(const PictureBox& box);

} // namespace zoom
