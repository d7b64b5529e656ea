#include "Screen.h"

#include "Form.h"
#include "Settings.h"

Screen::Screen(QObject* parent) : QObject(parent) {}

Screen::~Screen()
{
    if (!m_form)
        return;
    m_form->dismantle();
    delete m_form; // the program is ending: no event loop will run the deferred delete
}

void Screen::show()
{
    if (m_form)
        return;
    m_form = buildForm();
    connect(m_form, &Form::closeBoxClicked, this, &Screen::closeBoxClicked);
    connect(m_form, &Form::scaleChosen, this, [this](double factor) { settings().setScale(factor); });
    load();
    m_form->showCentred();
}

double Screen::windowScale() const
{
    return settings().scale();
}

Settings& Screen::settings() const
{
    if (m_settings)
        return *m_settings;
    if (!m_ownSettings)
        m_ownSettings = Settings::inMemory();
    return *m_ownSettings;
}

void Screen::close()
{
    if (!m_form)
        return;
    // The window may be the one whose click is being handled: it goes once that returns.
    Form* closing = m_form;
    m_form = nullptr;
    closing->dismantle();
}
