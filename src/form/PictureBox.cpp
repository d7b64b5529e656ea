#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (!m_stretch && !m_picture.isNull()) {
        const QSizeF size = m_picture.deviceIndependentSize();
        m_rect.width = float(size.width()) * TwipsPerPixel;
        m_rect.height = float(size.height()) * TwipsPerPixel;
        applyGeometry();
    }
    update();
}

void PictureBox::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void PictureBox::setLeft(float twips)
{
    m_rect.left = twips;
    applyGeometry();
}

void PictureBox::setTop(float twips)
{
    m_rect.top = twips;
    applyGeometry();
}

void PictureBox::setWidth(float twips)
{
    m_rect.width = twips;
    applyGeometry();
}

void PictureBox::setHeight(float twips)
{
    m_rect.height = twips;
    applyGeometry();
}

void PictureBox::setTwipsRect(const TwipsRect& rect)
{
    m_rect = rect;
    applyGeometry();
}

void PictureBox::setScale(double factor)
{
    m_scale = factor;
    applyGeometry();
    update();
}

void PictureBox::applyGeometry()
{
    setGeometry(toPixels(m_rect, m_scale));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch) {
        painter.drawPixmap(rect(), m_picture);
    } else {
        const QSizeF own = m_picture.deviceIndependentSize() * m_scale;
        painter.drawPixmap(QRectF(QPointF(0, 0), own), m_picture, QRectF(m_picture.rect()));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void PictureBox::announce(const QString& words)
{
    m_announces = true;
    setAccessibleName(words); // the name's change is the event screen readers hear
}
