#pragma once

#include "Screen.h"

#include <initializer_list>

// The menu: a two-level menu of clickable labels. The main level chooses
// looking birds up, being quizzed, or the end; each submenu chooses a season.
class MenuScreen final : public Screen
{
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    Form* buildForm() override;
    void load() override;

private:
    void onLookUpClicked();
    void onQuizClicked();
    void onQuitClicked();
    void onBackFromLookUpClicked();
    void onBackFromQuizClicked();

    void setVisible(std::initializer_list<const char16_t*> names, bool visible);
};
