#pragma once

#include "Form.h"
#include "FormLabel.h"
#include "IntervalTimer.h"
#include "PictureBox.h"
#include "QuizScreen.h"
#include "ScreenRig.h"

#include <QtTest>

#include <functional>

// The quiz with its timers driven by hand.
namespace quiztest {

using namespace Qt::StringLiterals;

const QColor BoardBlue(0, 0, 192);
const QColor White(255, 255, 255);
const QColor Yellow(255, 255, 0);
const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);

const QStringList Timers{u"Timer1"_s, u"Timer2"_s, u"Timer3"_s, u"Timer4"_s};

// Time moves in 100 ms steps and every started timer ticks at each step, as
// the real timers would.
struct Rig : ScreenRig<QuizScreen>
{
    explicit Rig(Season season = Season::SpringSummer) : ScreenRig(season) {}

    QStringList timersSeenRunning;

    QString caption(const QString& label) { return form().label(label)->text(); }
    bool running(const QString& timer) { return form().timer(timer)->interval() > 0; }

    void step()
    {
        clock.advance(0.1);
        for (const QString& name : Timers)
            if (screen.isOpen() && running(name)) {
                timersSeenRunning << name;
                Q_EMIT form().timer(name)->tick();
            }
        settle();
    }
    void run(double seconds)
    {
        for (int i = 0; i < int(std::lround(seconds * 10)); ++i)
            step();
    }
    // Steps until the screen is waiting for an answer again.
    void runToQuestion()
    {
        for (int i = 0; i < 100 && !idle(); ++i)
            step();
    }
    // Steps until done() holds, at most ten seconds of the quiz's time; false
    // if it never did, so a fault fails the test instead of hanging it.
    bool stepUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 100; ++i) {
            if (done())
                return true;
            step();
        }
        return done();
    }
    bool idle()
    {
        for (const QString& name : Timers)
            if (running(name))
                return false;
        return true;
    }
    void click(int position)
    {
        QTest::mouseClick(&name(position), Qt::LeftButton);
        settle();
    }
    void open()
    {
        screen.show();
        runToQuestion();
    }
};

} // namespace quiztest
