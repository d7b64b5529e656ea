#include "ZoomIn.h"

#include "PictureBox.h"

#include <QGuiApplication>

#include <cmath>

namespace zoom {

DesignRect designRectOf(const PictureBox& box)
{
    return {
        .top = short(std::lround(box.top())),
        .left = short(std::lround(box.left())),
        .width = short(std::lround(box.width())),
        .height = short(std::lround(box.height())),
    };
}

std::array<Frame, Steps> frames(float w, float h, const DesignRect& design)
{
    // Single-precision throughout: on x86-64 (SSE) every float operation is
    // rounded to 32 bits, so the frames come out the same in every build.
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
// short enough not to keep the user waiting.
constexpr int FrameMilliseconds = 7;

bool onScreen(const QWidget& window)
{
    return window.isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen");
}

} // namespace

Growth::Growth(PictureBox& box) : QObject(&box), m_box(box), m_timer(this)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(FrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &Growth::showNext);
}

void Growth::start(const std::array<Frame, Steps>& frames)
{
    m_frames = frames;
    m_next = 0;
    m_box.setStretch(true);
    showNext();
    m_timer.start();
}

void Growth::stop()
{
    m_timer.stop();
}

void Growth::finish()
{
    while (isRunning())
        showNext();
}

void Growth::showNext()
{
    const Frame& frame = m_frames[std::size_t(m_next)];
    m_box.setLeft(frame.left);
    m_box.setTop(frame.top);
    m_box.setWidth(frame.width);
    m_box.setHeight(frame.height);
    m_box.setVisible(true);
    // Paint this frame now: with only an update, two frames could fall into one paint.
    QWidget& window = *m_box.window();
    if (onScreen(window))
        window.repaint(m_box.geometry());
    ++m_next;
    Q_EMIT stepped(m_next);
    if (m_next == Steps) {
        m_timer.stop();
        Q_EMIT finished();
    }
}

Growth* growthOf(const PictureBox& box)
{
    return box.findChild<Growth*>(QString(), Qt::FindDirectChildrenOnly);
}

Growth* zoomIn(PictureBox& box, const DesignRect& design)
{
    Growth* growth = growthOf(box);
    if (growth)
        growth->stop();
    if (!box.hasPicture())
        return nullptr;
    if (!growth)
        growth = new Growth(box);
    growth->start(frames(box.width(), box.height(), design));
    return growth;
}

} // namespace zoom
