#include "FormButton.h"

#include "Keyboard.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

FormButton::FormButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::TabFocus);
}

void FormButton::setFaceColour(const QColor& face, int borderWidth)
{
    m_borderWidth = borderWidth;
    // A style sheet is the one way to colour a button's face on every Qt style.
    const QString colour = face.name();
    const QString dark = face.darker(160).name();
    const QString light = face.lighter(130).name();
    setStyleSheet(u"QPushButton { background: %1; color: black; border: %4px outset %2;"
                  " border-top-color: %3; border-left-color: %3; }"
                  " QPushButton:pressed { border-style: inset; }"
                  " QPushButton:focus { outline: none; }"_s.arg(colour, dark, light)
                      .arg(borderWidth));
}

void FormButton::keyPressEvent(QKeyEvent* event)
{
    if (keyboard::isClickKey(event->key()) && !(event->modifiers() & ~Qt::KeypadModifier)) {
        keyboard::startUsing();
        if (!event->isAutoRepeat() && keyboard::reachable(*this))
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

// Inside the bevel, in the caption's colour.
void FormButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (!keyboard::showsFocusMark(*this))
        return;
    QPainter painter(this);
    const int inset = m_borderWidth;
    keyboard::paintFocusMark(painter, rect().adjusted(inset, inset, -inset, -inset), Qt::black,
                             std::max(1, m_borderWidth / 2));
}
