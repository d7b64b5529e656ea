#include "ZoomIn.h"

#include "form/PictureBox.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

namespace zoom {

std::array<Frame, Steps> frames(float w, float h, const DesignRect& design)
{
    // On x86-64 (SSE) every float operation is rounded to 32 bits, as required.
    const float x0 = float(design.left) + (float(design.width) - w) / 2.0f;
    const float y0 = float(design.top) + (float(design.height) - h) / 2.0f;
    const float r = h / w;
    const float s = w / 40.0f;

    std::array<Frame, Steps> result{};
    for (int k = 1; k <= Steps; ++k) {
        const float left = x0 + float(Steps - k) * s;
        const float top = r * (left - x0) + y0;
        const float width = ((x0 + w / 2.0f) - left) * 2.0f;
        const float height = ((y0 + h / 2.0f) - top) * 2.0f;
        result[k - 1] = {left, top, width, height};
    }
    return result;
}

namespace {

// About 150 ms for the whole growth: long enough to be seen on a 60 Hz screen,
// short enough not to keep the user waiting. Nobody watches an offscreen window.
constexpr int FrameMilliseconds = 7;

bool onScreen(const QWidget& window)
{
    return window.isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen");
}

} // namespace

void zoomIn(PictureBox& box, const DesignRect& design)
{
    if (!box.hasPicture())
        return;
    const float w = box.width();
    const float h = box.height();
    const auto steps = frames(w, h, design);
    box.setStretch(true);
    QWidget& window = *box.window();
    QElapsedTimer frameTime;
    for (const Frame& frame : steps) {
        frameTime.start();
        box.setLeft(frame.left);
        box.setTop(frame.top);
        box.setWidth(frame.width);
        box.setHeight(frame.height);
        box.setVisible(true);
        // Paint this frame now, without taking any input, so the growth is seen.
        if (onScreen(window)) {
            window.repaint(box.geometry());
            const qint64 left = FrameMilliseconds - frameTime.elapsed();
            if (left > 0)
                QThread::msleep(static_cast<unsigned long>(left));
        }
    }
}

} // namespace zoom
