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

void PictureBox::applyGeometry()
{
    setGeometry(toPixels(m_rect));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_picture);
    } else {
        painter.drawPixmap(0, 0, m_picture);
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
