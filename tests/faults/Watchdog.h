#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends the test run with a message when one step takes far too long: a hang in
// a screen or a sound player would otherwise stall the suite without saying
// where. Each step is guarded by a Scope naming what it does.
class Watchdog
{
public:
    explicit Watchdog(std::chrono::milliseconds limit);
    ~Watchdog();

    class Scope
    {
    public:
        Scope(Watchdog& watchdog, const QString& what);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Watchdog& m_watchdog;
    };

private:
    void watch();

    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArray m_what;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_armed = false;
    bool m_quit = false;
    std::thread m_thread;
};
