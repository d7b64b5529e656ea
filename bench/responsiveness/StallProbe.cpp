#include "StallProbe.h"

#include <algorithm>

StallProbe::StallProbe()
{
    m_clock.start();
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(PeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &StallProbe::fired);
    m_timer.start();
    reset();
}

void StallProbe::reset()
{
    m_lastNs = m_clock.nsecsElapsed();
    m_worstNs = 0;
}

void StallProbe::fired()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_worstNs = std::max(m_worstNs, now - m_lastNs);
    m_lastNs = now;
}

double StallProbe::worstMs() const
{
    const qint64 running = m_clock.nsecsElapsed() - m_lastNs;
    return std::max(0.0, double(std::max(m_worstNs, running)) / 1e6 - PeriodMs);
}
