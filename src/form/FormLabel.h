#pragma once

#include <QLabel>

// A label as the screens use it: opaque back colour, text colour, a single-line
// border when asked, and a click. Hidden labels take no clicks (Qt never
// delivers mouse events to hidden widgets).
//
// A label whose click is listened to is a control: Tab reaches it, Enter or
// Space is its click (the same signal, so the same answer), and it shows the
// focus mark while the keys are in use. Screen readers see it as a button.
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

    bool isClickable() const { return focusPolicy() != Qt::NoFocus; }
    // A click from the keys or a screen reader: only where a mouse click at the
    // label's middle would reach it.
    void activate();

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;

private:
    void paintBorder(QPainter& painter) const;
    void paintFocusMark(QPainter& painter) const;
    void drawLargeCaption(QPainter& painter) const;
    static bool boldIsSynthesised(const QFont& font);

    bool m_pressed = false;
    bool m_border = false;
    int m_borderWidth = 1;
};
