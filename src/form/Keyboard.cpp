#include "Keyboard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace keyboard {
namespace {

bool keysInUse = false;

void redrawFocus()
{
    if (QWidget* focused = QApplication::focusWidget())
        focused->update();
}

// Watches for the next mouse press once the keys are in use, then goes: until
// the first key nothing in the program pays for it.
class MouseWatch final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && keysInUse) {
            keysInUse = false;
            redrawFocus();
            deleteLater();
        }
        return false;
    }
};

} // namespace

bool inUse()
{
    return keysInUse;
}

void startUsing()
{
    if (keysInUse)
        return;
    keysInUse = true;
    qApp->installEventFilter(new MouseWatch(qApp));
    redrawFocus();
}

bool reachable(const QWidget& control)
{
    const QWidget* window = control.window();
    if (window == &control || !control.isVisibleTo(window) || !control.isEnabled())
        return false;
    const QPoint middle = control.mapTo(window, control.rect().center());
    const QWidget* hit = window->childAt(middle);
    return hit == &control || (hit && control.isAncestorOf(hit));
}

bool isClickKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

void paintFocusMark(QPainter& painter, const QRect& inside, const QColor& colour, int width)
{
    const QRect r = inside;
    const int w = std::max(1, width);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), colour);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), colour);
}

bool showsFocusMark(const QWidget& control)
{
    return keysInUse && control.hasFocus();
}

} // namespace keyboard
