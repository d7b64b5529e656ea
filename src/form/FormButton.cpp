#include "FormButton.h"

using namespace Qt::StringLiterals;

FormButton::FormButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void FormButton::setFaceColour(const QColor& face, int borderWidth)
{
    // A style sheet is the one way to colour a button's face on every Qt style.
    const QString colour = face.name();
    const QString dark = face.darker(160).name();
    const QString light = face.lighter(130).name();
    setStyleSheet(u"QPushButton { background: %1; color: black; border: %4px outset %2;"
                  " border-top-color: %3; border-left-color: %3; }"
                  " QPushButton:pressed { border-style: inset; }"_s.arg(colour, dark, light)
                      .arg(borderWidth));
}
