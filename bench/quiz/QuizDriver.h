#pragma once

#include "FakeClock.h"
#include "QuizScreen.h"
#include "RandomSource.h"

// Drives a quiz screen as its four timers would, on a fake clock moved on by
// 100 ms at every tick, so that thousands of questions pass in seconds. The
// draws are the program's own; answers are mouse clicks on the name board.
class QuizDriver
{
public:
    QuizDriver(Season season, SoundPlayerFactory makePlayer);

    QuizScreen& screen() { return m_screen; }

    // Shows the screen; its first question comes with the next runToQuestion().
    void open();
    // Closes the screen and lets its window go, as the event loop would.
    void close();

    // Moves time on until the next question is on show. Returns how long the
    // tick that presented it took, in milliseconds; -1 when no question came.
    double runToQuestion();
    // Clicks the shown bird's own name, or the name beside it.
    void answer(bool right);

    QString caption(const QString& label) const;
    long long ticks() const { return m_ticks; }

private:
    bool running(const QString& timer) const;
    void settle();

    FakeClock m_clock;
    SystemRandom m_random;
    ScreenServices m_services;
    QuizScreen m_screen;
    long long m_ticks = 0;
};
