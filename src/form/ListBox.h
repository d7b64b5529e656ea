#pragma once

#include <QListWidget>
#include <QPointer>

// The description list: unsorted, no wrapping, long lines cut at the right
// edge, a vertical scroll bar when needed. Choosing a line, by mouse or by
// keyboard, counts as a click; scrolling does not; Escape does too, as the
// list lies over the board and a click on it closes it.
//
// Shown while the keys are in use, it takes the focus, and gives it back to
// the control that had it when it hides. A screen reader reads its lines.
//
// Every line is one row high, whatever it holds (a lone LF stays inside its
// line and shows as a space), and the list shows whole rows only: its height
// shrinks to a whole number of rows below the height it was given, its top
// edge staying where it is.
class ListBox final : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent);

    void clearLines();
    void addLines(const QStringList& lines); // in order, after the last line
    QStringList lines() const;

    int rowHeight() const; // the height of every line, for the list's font

    // Escape pressed elsewhere in the window while the list is open: a click.
    void activate() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fitWholeRows();
    void describeLines();

    QPointer<QWidget> m_focusBefore; // the control to give the focus back to

    // One mouse action, press to release: it counts as one click if it began
    // on a line or changed the current line.
    bool m_pressed = false;
    bool m_pressedOnLine = false;
    int m_rowAtPress = -1;

    int m_room = -1;   // the height the list was given
    int m_fitted = -1; // the whole-row height it took from that room
    bool m_fitting = false;
};
