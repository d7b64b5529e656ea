#pragma once

#include <QLabel>

// A label as the screens use it: opaque back colour, text colour, a single-line
// border when asked, and a click. Hidden labels take no clicks (Qt never
// delivers mouse events to hidden widgets).
class FormLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit FormLabel(QWidget* parent);

    void setColours(const QColor& back, const QColor& fore);
    void setBackColour(const QColor& back);
    QColor backColour() const;
    QColor foreColour() const;
    void setBorder(bool border, int width = 1); // width in whole pixels

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintBorder(QPainter& painter) const;
    void drawLargeCaption(QPainter& painter) const;
    static bool boldIsSynthesised(const QFont& font);

    bool m_pressed = false;
    bool m_border = false;
    int m_borderWidth = 1;
};
