#pragma once

#include <QPushButton>

// A push button whose face is painted in its back colour. Tab reaches it;
// Enter or Space clicks it, and it shows the focus mark while the keys are in use.
class FormButton final : public QPushButton
{
    Q_OBJECT
public:
    explicit FormButton(QWidget* parent);
    void setFaceColour(const QColor& face, int borderWidth = 2); // border in whole pixels

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_borderWidth = 2;
};
