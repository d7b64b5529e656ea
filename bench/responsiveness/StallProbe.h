#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// How long the user-interface thread goes without coming back to its event
// loop. A precise 1 ms timer notes each time it fires; a gap between two
// firings longer than the period is a stretch in which no input, paint or
// timer could have been handled. Works the same offscreen and on a display,
// and whatever the thread was busy with (a handler, a paint, a nested wait).
class StallProbe final : public QObject
{
public:
    static constexpr int PeriodMs = 1;

    StallProbe();

    // Forgets the stalls seen so far.
    void reset();
    // The longest stall since the last reset, the running one included, in
    // milliseconds beyond the timer's period.
    double worstMs() const;

private:
    void fired();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_worstNs = 0;
};
