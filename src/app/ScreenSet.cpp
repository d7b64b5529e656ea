#include "ScreenSet.h"

#include "MenuScreen.h"
#include "QuizScreen.h"
#include "ReferenceScreen.h"

ScreenSet::ScreenSet(ScreenServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services))
{}

ScreenSet::~ScreenSet() = default;

std::unique_ptr<Screen> ScreenSet::create(ScreenId id)
{
    switch (id) {
    case ScreenId::Menu:
        return std::make_unique<MenuScreen>();
    case ScreenId::SpringSummerReference:
        return std::make_unique<ReferenceScreen>(Season::SpringSummer, m_services);
    case ScreenId::AutumnWinterReference:
        return std::make_unique<ReferenceScreen>(Season::AutumnWinter, m_services);
    case ScreenId::SpringSummerQuiz:
        return std::make_unique<QuizScreen>(Season::SpringSummer, m_services);
    case ScreenId::AutumnWinterQuiz:
        return std::make_unique<QuizScreen>(Season::AutumnWinter, m_services);
    }
    return {};
}

Screen& ScreenSet::screen(ScreenId id)
{
    auto& made = m_screens.at(static_cast<std::size_t>(id));
    if (!made) {
        made = create(id);
        Screen* created = made.get();
        created->setSettings(m_services.settings);
        connect(created, &Screen::switchRequested, this, [this, id](ScreenId to) { switchScreen(id, to); });
        connect(created, &Screen::quitRequested, this, [this, id] {
            close(id);
            Q_EMIT finished();
        });
        // The close box leaves no screen open, which ends the program.
        connect(created, &Screen::closeBoxClicked, this, [this, id] {
            close(id);
            Q_EMIT finished();
        });
    }
    return *made;
}

void ScreenSet::show(ScreenId id)
{
    screen(id).show();
}

void ScreenSet::close(ScreenId id)
{
    screen(id).close();
}

void ScreenSet::switchScreen(ScreenId from, ScreenId to)
{
    close(from);
    show(to);
}

Screen* ScreenSet::openScreen() const
{
    for (const auto& made : m_screens)
        if (made && made->isOpen())
            return made.get();
    return nullptr;
}
