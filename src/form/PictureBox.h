#pragma once

#include "Twips.h"

#include <QPixmap>
#include <QWidget>

// A picture box: position and size in twips, kept as 32-bit floats exactly as
// set. With stretch off, assigning a picture sizes the box to the picture; with
// stretch on, the picture is scaled to the box. Without a picture the box draws
// nothing but still takes clicks over its whole rectangle. A picture's own size
// is its device-independent size, so a picture drawn at twice the resolution
// (device pixel ratio 2) takes the same twips as the plain one.
class PictureBox final : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    void setPicture(const QPixmap& picture);
    bool hasPicture() const { return !m_picture.isNull(); }
    const QPixmap& picture() const { return m_picture; }

    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }

    float left() const { return m_rect.left; }
    float top() const { return m_rect.top; }
    float width() const { return m_rect.width; }
    float height() const { return m_rect.height; }
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);
    void setTwipsRect(const TwipsRect& rect);

    // The window's scale factor: the box keeps its twips and takes them to
    // pixels at this factor; the picture is drawn smoothly scaled with it.
    void setScale(double factor);
    double scale() const { return m_scale; }

    // Words a screen reader speaks when the box shows, or at once if it is on
    // show: the box becomes an alert named by them. For a picture that tells
    // something only the eye would otherwise get.
    void announce(const QString& words);
    bool announces() const { return m_announces; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyGeometry();

    QPixmap m_picture;
    bool m_stretch = false;
    bool m_announces = false;
    TwipsRect m_rect;
    double m_scale = 1.0;
};
