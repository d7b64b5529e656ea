#pragma once

#include "MenuLayout.h"
#include "Screen.h"

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

    void showLevel(menu::Level level);

    menu::Controls m_ui{}; // valid while the window is open
};
