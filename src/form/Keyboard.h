#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

// Working the windows from the keyboard. The focus mark shows only once the
// user has pressed a key that moves or uses the focus, and goes again at the
// next mouse press: a mouse user never sees it.
namespace keyboard {

bool inUse();
// From a key press that navigates or clicks; the focused control is redrawn.
void startUsing();

// Whether a click at the middle of the control would reach it: a key press is
// the same click, so a control covered by another (a list, a mark, a click
// area) takes no keys, as it takes no clicks.
bool reachable(const QWidget& control);

// The keys that click a focused control.
bool isClickKey(int key);

// The mark around the focused control: a frame in the control's text colour,
// `width` pixels wide, just inside `inside`.
void paintFocusMark(QPainter& painter, const QRect& inside, const QColor& colour, int width);
bool showsFocusMark(const QWidget& control);

} // namespace keyboard
