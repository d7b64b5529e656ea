#include "SpectrogramView.h"

#include "Background.h"
#include "Form.h"
#include "Palette.h"
#include "SpectrogramPicture.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The plot's margins, in pixels at the design size: kHz down the left, seconds
// along the bottom, the units above and beside.
constexpr double LeftMargin = 24;
constexpr double TopMargin = 14;
constexpr double RightMargin = 8;
constexpr double BottomMargin = 16;
constexpr double FontPixels = 10;

const QColor AxisGrey(128, 128, 128);
const double FrequencyTicks[] = {500, 1000, 2000, 4000, 8000, 12000};

// Every second on a call of a few seconds, fewer on a long one.
double secondsBetweenTicks(double seconds)
{
    return seconds <= 12 ? 1 : seconds <= 24 ? 2 : 5;
}

QString kHzText(double hz)
{
    return hz < 1000 ? QString::number(hz / 1000, 'f', 1) : QString::number(int(hz / 1000));
}

struct Drawn
{
    std::shared_ptr<const Spectrogram> spectrogram;
    QImage picture;
};

} // namespace

SpectrogramView::SpectrogramView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent)
        parent->installEventFilter(this);
    followWindowScale();
}

SpectrogramView::~SpectrogramView() = default;

void SpectrogramView::setTwipsRect(const TwipsRect& rect)
{
    m_rect = rect;
    applyGeometry();
}

void SpectrogramView::setScale(double factor)
{
    if (factor == m_scale)
        return;
    m_scale = factor;
    applyGeometry();
    update();
}

void SpectrogramView::applyGeometry()
{
    setGeometry(toPixels(m_rect, m_scale));
}

// A Form lays its own controls out again whenever its factor changes, and
// resizes itself with it; the view follows on the same resize, and once more
// when the form has finished reacting to a drag of its frame.
void SpectrogramView::followWindowScale()
{
    if (const auto* form = qobject_cast<const Form*>(parentWidget()))
        setScale(form->scale());
}

bool SpectrogramView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        followWindowScale();
        QMetaObject::invokeMethod(this, &SpectrogramView::followWindowScale, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void SpectrogramView::showSound(const DecodedSound& sound)
{
    m_sound = sound;
    m_spectrogram.reset();
    m_picture = QImage();
    m_position = {};
    requestPicture();
    update();
}

void SpectrogramView::clear()
{
    showSound({});
}

void SpectrogramView::setPosition(const PlayPosition& at)
{
    const QRect before = cursorRect();
    m_position = at;
    const QRect after = cursorRect();
    if (before != after) {
        update(before);
        update(after);
    }
}

void SpectrogramView::follow(SoundPlayer& player)
{
    QPointer<SpectrogramView> view(this);
    player.watch({[view](const DecodedSound& sound) {
                      if (view)
                          view->showSound(sound);
                  },
                  [view](const PlayPosition& at) {
                      if (view)
                          view->setPosition(at);
                  }});
}

QRect SpectrogramView::plotRect() const
{
    const auto px = [this](double design) { return int(std::lround(design * m_scale)); };
    return rect().adjusted(px(LeftMargin), px(TopMargin), -px(RightMargin), -px(BottomMargin));
}

QSize SpectrogramView::devicePlotSize() const
{
    const QSize logical = plotRect().size();
    const double ratio = devicePixelRatioF();
    return {int(std::lround(logical.width() * ratio)), int(std::lround(logical.height() * ratio))};
}

bool SpectrogramView::isReady() const
{
    return m_sound.samples && !m_picture.isNull() && m_picture.size() == devicePlotSize();
}

int SpectrogramView::cursorX() const
{
    if (!m_position.playing || m_picture.isNull() || m_sound.seconds() <= 0)
        return -1;
    const QRect plot = plotRect();
    const double x = spectrogram::xOf(m_position.seconds, m_sound.seconds(), plot.width());
    return plot.left() + std::clamp(int(std::floor(x)), 0, plot.width() - 1);
}

QRect SpectrogramView::cursorRect() const
{
    const int x = cursorX();
    if (x < 0)
        return {};
    const QRect plot = plotRect();
    return QRect(x, plot.top(), lineWidth(m_scale), plot.height());
}

// Worked out and drawn on a worker; only the latest request is shown. The
// spectrogram is kept, so a new size only draws it again.
void SpectrogramView::requestPicture()
{
    const quint64 request = ++m_request;
    if (!m_sound.samples || m_sound.samples->empty())
        return;
    const QSize size = devicePlotSize();
    if (size.isEmpty())
        return;
    const double ratio = devicePixelRatioF();
    inBackground(
        this,
        [sound = m_sound, spectrogram = m_spectrogram, size] {
            Drawn drawn{spectrogram, {}};
            if (!drawn.spectrogram)
                drawn.spectrogram = std::make_shared<const Spectrogram>(
                    spectrogram::analyse(*sound.samples, sound.sampleRate));
            // In the window's own format, so showing it is a plain copy of pixels.
            drawn.picture =
                spectrogram::render(*drawn.spectrogram, size).convertToFormat(QImage::Format_RGB32);
            return drawn;
        },
        [this, request, ratio](Drawn drawn) {
            if (request != m_request)
                return;
            m_spectrogram = std::move(drawn.spectrogram);
            m_picture = std::move(drawn.picture);
            m_picture.setDevicePixelRatio(ratio);
            update();
            Q_EMIT pictureShown();
        });
}

void SpectrogramView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_sound.samples && (m_picture.isNull() || m_picture.size() != devicePlotSize()))
        requestPicture();
}

void SpectrogramView::setCaption(const QString& text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    update();
}

void SpectrogramView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette::White);
    const QRect plot = plotRect();
    if (!m_picture.isNull()) {
        if (m_picture.size() == devicePlotSize())
            painter.drawImage(plot.topLeft(), m_picture); // pixel for pixel
        else
            painter.drawImage(plot, m_picture); // for the moment until the new size arrives
    }
    if (const QRect cursor = cursorRect(); !cursor.isNull())
        painter.fillRect(cursor, palette::Red);
    // The axes lie outside the plot: a cursor's move leaves them alone.
    if (!plot.contains(event->rect()))
        paintAxes(painter, plot);
}

void SpectrogramView::paintAxes(QPainter& painter, const QRect& plot)
{
    const int line = lineWidth(m_scale);
    const int tick = int(std::lround(3 * m_scale));
    QFont font(typeface::Gothic);
    font.setPixelSize(std::max(1, int(std::lround(FontPixels * m_scale))));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int gap = int(std::lround(2 * m_scale));

    painter.setPen(Qt::NoPen);
    const QRect frame = plot.adjusted(-line, -line, line, line);
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), line), AxisGrey);
    painter.fillRect(QRect(frame.left(), plot.bottom() + 1, frame.width(), line), AxisGrey);
    painter.fillRect(QRect(frame.left(), frame.top(), line, frame.height()), AxisGrey);
    painter.fillRect(QRect(plot.right() + 1, frame.top(), line, frame.height()), AxisGrey);

    painter.setPen(palette::Black);
    for (const double hz : FrequencyTicks) {
        const int y = plot.top() + std::min(plot.height() - 1, int(spectrogram::yOf(hz, plot.height())));
        painter.fillRect(QRect(frame.left() - tick, y, tick, line), AxisGrey);
        const QRect label(0, y - metrics.height(), frame.left() - tick - gap, 2 * metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, kHzText(hz));
    }
    painter.drawText(QRect(0, 0, plot.left() + metrics.horizontalAdvance(u"kHz"_s), plot.top() - line),
                     Qt::AlignLeft | Qt::AlignBottom, u"kHz"_s);
    if (!m_caption.isEmpty()) {
        const int left = plot.left() + metrics.horizontalAdvance(u"kHz"_s) + 2 * gap;
        const QRect room(left, 0, plot.right() - left, plot.top() - line);
        painter.drawText(room, Qt::AlignLeft | Qt::AlignBottom,
                         metrics.elidedText(m_caption, Qt::ElideRight, room.width()));
    }

    const double seconds = m_sound.seconds();
    if (seconds <= 0)
        return;
    const double step = secondsBetweenTicks(seconds);
    for (double at = 0; at <= seconds + 1e-9; at += step) {
        const int x =
            plot.left() + std::min(plot.width() - 1, int(spectrogram::xOf(at, seconds, plot.width())));
        painter.fillRect(QRect(x, plot.bottom() + 1 + line, line, tick), AxisGrey);
        const int width = metrics.horizontalAdvance(u"00"_s);
        painter.drawText(QRect(x - width, plot.bottom() + 1 + line + tick, 2 * width, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(int(std::lround(at))));
    }
    // In the corner below the kHz, clear of the last second's label.
    painter.drawText(QRect(0, plot.bottom() + 1 + line + tick, frame.left() - tick - gap, metrics.height()),
                     Qt::AlignRight | Qt::AlignTop, u"秒"_s);
}
