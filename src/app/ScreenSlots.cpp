#include "ScreenSlots.h"

#include "MenuScreen.h"
#include "QuizScreen.h"
#include "ReferenceScreen.h"

ScreenSlots::ScreenSlots(ScreenServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services))
{}

ScreenSlots::~ScreenSlots() = default;

std::unique_ptr<Screen> ScreenSlots::create(ScreenId id)
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

Screen& ScreenSlots::screen(ScreenId id)
{
    auto& slot = m_slots.at(static_cast<std::size_t>(id));
    if (!slot) {
        slot = create(id);
        Screen* created = slot.get();
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
    return *slot;
}

void ScreenSlots::show(ScreenId id)
{
    screen(id).show();
}

void ScreenSlots::close(ScreenId id)
{
    screen(id).close();
}

void ScreenSlots::switchScreen(ScreenId from, ScreenId to)
{
    close(from);
    show(to);
}

Screen* ScreenSlots::openScreen() const
{
    for (const auto& slot : m_slots)
        if (slot && slot->isOpen())
            return slot.get();
    return nullptr;
}
