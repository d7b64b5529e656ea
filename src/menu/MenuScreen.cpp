#include "MenuScreen.h"

#include "Form.h"
#include "FormLabel.h"

Form* MenuScreen::buildForm()
{
    auto* form = new Form(menu::window(), menu::controls(), {}, windowScale());
    m_ui = menu::controlsOf(*form);
    auto onClick = [this](FormLabel* label, auto handler) {
        connect(label, &FormLabel::clicked, this, handler);
    };
    onClick(m_ui.lookUp, &MenuScreen::onLookUpClicked);
    onClick(m_ui.quiz, &MenuScreen::onQuizClicked);
    onClick(m_ui.quit, &MenuScreen::onQuitClicked);
    onClick(m_ui.backFromLookUp, &MenuScreen::onBackFromLookUpClicked);
    onClick(m_ui.backFromQuiz, &MenuScreen::onBackFromQuizClicked);
    onClick(m_ui.lookUpSpringSummer, [this] { Q_EMIT switchRequested(ScreenId::SpringSummerReference); });
    onClick(m_ui.lookUpAutumnWinter, [this] { Q_EMIT switchRequested(ScreenId::AutumnWinterReference); });
    onClick(m_ui.quizSpringSummer, [this] { Q_EMIT switchRequested(ScreenId::SpringSummerQuiz); });
    onClick(m_ui.quizAutumnWinter, [this] { Q_EMIT switchRequested(ScreenId::AutumnWinterQuiz); });
    // Escape goes back from a submenu; the main level has no way back.
    form->setEscape([this]() -> QWidget* {
        for (FormLabel* back : {m_ui.backFromLookUp, m_ui.backFromQuiz})
            if (!back->isHidden())
                return back;
        return nullptr;
    });
    return form;
}

// The other levels' labels are hidden before this level's are shown.
void MenuScreen::showLevel(menu::Level level)
{
    for (const auto& [other, labels] : m_ui.levels)
        if (other != level)
            for (FormLabel* label : labels)
                label->setVisible(false);
    for (FormLabel* label : m_ui.levels.at(level))
        label->setVisible(true);
    form()->focusFirst(); // the focus was on a label of the level just hidden
}

void MenuScreen::load()
{
    showLevel(menu::Level::Main);
}

void MenuScreen::onLookUpClicked()
{
    showLevel(menu::Level::LookUp);
}

void MenuScreen::onQuizClicked()
{
    showLevel(menu::Level::Quiz);
}

void MenuScreen::onBackFromLookUpClicked()
{
    showLevel(menu::Level::Main);
}

void MenuScreen::onBackFromQuizClicked()
{
    showLevel(menu::Level::Main);
}

void MenuScreen::onQuitClicked()
{
    Q_EMIT quitRequested();
}
