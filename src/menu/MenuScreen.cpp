#include "MenuScreen.h"

#include "MenuLayout.h"
#include "form/Form.h"
#include "form/FormLabel.h"

using namespace Qt::StringLiterals;

Form* MenuScreen::buildForm()
{
    auto* form = new Form(menu::window(), menu::controls());
    auto onClick = [this, form](const QString& name, auto handler) {
        connect(form->label(name), &FormLabel::clicked, this, handler);
    };
    onClick(u"Label3"_s, &MenuScreen::onLookUpClicked);
    onClick(u"Label4"_s, &MenuScreen::onQuizClicked);
    onClick(u"Label5"_s, &MenuScreen::onQuitClicked);
    onClick(u"Label9"_s, &MenuScreen::onBackFromLookUpClicked);
    onClick(u"Label13"_s, &MenuScreen::onBackFromQuizClicked);
    onClick(u"Label7"_s, [this] { Q_EMIT switchRequested(ScreenId::SpringSummerReference); });
    onClick(u"Label8"_s, [this] { Q_EMIT switchRequested(ScreenId::AutumnWinterReference); });
    onClick(u"Label11"_s, [this] { Q_EMIT switchRequested(ScreenId::SpringSummerQuiz); });
    onClick(u"Label12"_s, [this] { Q_EMIT switchRequested(ScreenId::AutumnWinterQuiz); });
    return form;
}

void MenuScreen::setVisible(std::initializer_list<const char16_t*> names, bool visible)
{
    for (const char16_t* name : names)
        form()->label(QString::fromUtf16(name))->setVisible(visible);
}

void MenuScreen::load()
{
    setVisible({u"Label6", u"Label7", u"Label8", u"Label9", u"Label10", u"Label11", u"Label12", u"Label13"},
               false);
}

void MenuScreen::onLookUpClicked()
{
    setVisible({u"Label3", u"Label4", u"Label5"}, false);
    setVisible({u"Label6", u"Label7", u"Label8", u"Label9"}, true);
}

void MenuScreen::onQuizClicked()
{
    setVisible({u"Label3", u"Label4", u"Label5"}, false);
    setVisible({u"Label10", u"Label11", u"Label12", u"Label13"}, true);
}

void MenuScreen::onBackFromLookUpClicked()
{
    setVisible({u"Label6", u"Label7", u"Label8", u"Label9"}, false);
    setVisible({u"Label3", u"Label4", u"Label5"}, true);
}

void MenuScreen::onBackFromQuizClicked()
{
    setVisible({u"Label10", u"Label11", u"Label12", u"Label13"}, false);
    setVisible({u"Label3", u"Label4", u"Label5"}, true);
}

void MenuScreen::onQuitClicked()
{
    Q_EMIT quitRequested();
}
