#pragma once

#include <QObject>
#include <QTimer>

// An interval timer: interval in milliseconds, 0 = stopped. Ticks run on the
// user-interface thread.
class IntervalTimer final : public QObject
{
    Q_OBJECT
public:
    explicit IntervalTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds);
    int interval() const { return m_interval; }

Q_SIGNALS:
    void tick();

private:
    QTimer m_timer;
    int m_interval = 0;
};
