#pragma once

#include "ScreenId.h"
#include "ScreenServices.h"

#include <QObject>

#include <array>
#include <memory>

class Screen;

// The five screens. A screen is created the first time it is needed and
// lives until the program ends; exactly one screen is open at a time.
class ScreenSet final : public QObject
{
    Q_OBJECT
public:
    explicit ScreenSet(ScreenServices services, QObject* parent = nullptr);
    ~ScreenSet() override;

    Screen& screen(ScreenId id);
    void show(ScreenId id);
    void close(ScreenId id);
    // Close, then show: the last action of the click handler of the screen being left.
    void switchScreen(ScreenId from, ScreenId to);

    // The open screen, if any.
    Screen* openScreen() const;

Q_SIGNALS:
    // No screen is left open: the program ends.
    void finished();

private:
    std::unique_ptr<Screen> create(ScreenId id);

    ScreenServices m_services;
    std::array<std::unique_ptr<Screen>, 5> m_screens;
};
