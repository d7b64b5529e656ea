#include "FormLabel.h"

#include <QMouseEvent>
#include <QPainter>

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

void FormLabel::setBorder(bool border)
{
    m_border = border;
    setContentsMargins(border ? QMargins(1, 1, 1, 1) : QMargins());
    update();
}

// The single-line border is a black line inside the label's rectangle.
void FormLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
