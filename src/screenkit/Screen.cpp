#include "Screen.h"

#include "Form.h"

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
    load();
    m_form->showCentred();
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
