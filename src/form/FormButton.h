#pragma once

#include <QPushButton>

// A push button whose face is painted in its back colour.
class FormButton final : public QPushButton
{
    Q_OBJECT
public:
    explicit FormButton(QWidget* parent);
    void setFaceColour(const QColor& face, int borderWidth = 2); // border in whole pixels
};
