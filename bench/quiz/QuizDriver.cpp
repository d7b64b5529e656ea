#include "QuizDriver.h"

#include "Form.h"
#include "FormLabel.h"
#include "IntervalTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Timers[] = {u"Timer1"_s, u"Timer2"_s, u"Timer3"_s, u"Timer4"_s};

// The longest way from an answer to the next bird (judging, feedback, the red
// name) is about six seconds; twenty is certainly stuck.
constexpr int MaxStepsPerQuestion = 200;

} // namespace

QuizDriver::QuizDriver(Season season, SoundPlayerFactory makePlayer)
    : m_services{m_clock, m_random, std::move(makePlayer)}, m_screen(season, m_services)
{}

void QuizDriver::open()
{
    m_screen.show();
}

void QuizDriver::close()
{
    m_screen.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool QuizDriver::running(const QString& timer) const
{
    return m_screen.isOpen() && m_screen.form()->timer(timer)->interval() > 0;
}

double QuizDriver::runToQuestion()
{
    for (int step = 0; step < MaxStepsPerQuestion; ++step) {
        m_clock.advance(0.1);
        for (const QString& name : Timers) {
            if (!running(name))
                continue;
            const auto before = m_screen.recentEntries();
            QElapsedTimer took;
            took.start();
            Q_EMIT m_screen.form()->timer(name)->tick();
            const qint64 nanoseconds = took.nsecsElapsed();
            ++m_ticks;
            // The recent window moves on exactly when a bird is presented.
            if (m_screen.recentEntries() != before) {
                settle();
                return double(nanoseconds) / 1e6;
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return -1;
}

// What the event loop does while the user looks at the question: feed the
// sound, take the sound server's news, delete what was let go. No timer runs
// then, so no real tick can step in on the fake clock.
void QuizDriver::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QuizDriver::answer(bool right)
{
    const int shown = m_screen.currentEntry() - 1;
    const int position = right ? shown : (shown + 1) % 40;
    QTest::mouseClick(m_screen.form()->label(u"Label1"_s, position), Qt::LeftButton);
}

QString QuizDriver::caption(const QString& label) const
{
    return m_screen.isOpen() ? m_screen.form()->label(label)->text() : QString();
}
