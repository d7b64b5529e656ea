#include "Watchdog.h"

#include <cstdio>
#include <cstdlib>

Watchdog::Watchdog(std::chrono::milliseconds limit) : m_limit(limit), m_thread([this] { watch(); }) {}

Watchdog::~Watchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void Watchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_armed) {
            m_changed.wait(lock);
            continue;
        }
        if (m_changed.wait_until(lock, m_deadline) == std::cv_status::timeout && m_armed &&
            std::chrono::steady_clock::now() >= m_deadline) {
            std::fprintf(stderr, "FATAL: stalled for more than %lld ms in: %s\n",
                         static_cast<long long>(m_limit.count()), m_what.constData());
            std::fflush(stderr);
            std::abort();
        }
    }
}

Watchdog::Scope::Scope(Watchdog& watchdog, const QString& what) : m_watchdog(watchdog)
{
    {
        const std::lock_guard lock(m_watchdog.m_mutex);
        m_watchdog.m_what = what.toUtf8();
        m_watchdog.m_deadline = std::chrono::steady_clock::now() + m_watchdog.m_limit;
        m_watchdog.m_armed = true;
    }
    m_watchdog.m_changed.notify_all();
}

Watchdog::Scope::~Scope()
{
    {
        const std::lock_guard lock(m_watchdog.m_mutex);
        m_watchdog.m_armed = false;
    }
    m_watchdog.m_changed.notify_all();
}
