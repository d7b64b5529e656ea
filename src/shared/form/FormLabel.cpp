#include "FormLabel.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

FormLabel::FormLabel(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void FormLabel::setColours(const QColor& back, const QColor& fore)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    setPalette(palette);
}

void FormLabel::setBackColour(const QColor& back)
{
    setColours(back, foreColour());
}

QColor FormLabel::backColour() const
{
    return palette().color(QPalette::Window);
}

QColor FormLabel::foreColour() const
{
    return palette().color(QPalette::WindowText);
}

void FormLabel::setBorder(bool border, int width)
{
    m_border = border;
    m_borderWidth = std::max(1, width);
    const int margin = border ? m_borderWidth : 0;
    setContentsMargins(margin, margin, margin, margin);
    update();
}

// The single-line border is a black line inside the label's rectangle, whole
// pixels wide, filled rather than stroked so no edge falls between pixels.
void FormLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    const int w = m_borderWidth;
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), Qt::black);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), Qt::black);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), Qt::black);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), Qt::black);
}

// A click is a press and a release on the same label, as on the desktop.
void FormLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void FormLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}
