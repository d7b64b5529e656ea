#pragma once

#include "ZoomIn.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTest>
#include <QThreadPool>

// Waits, as a user would for a moment, for what an action set going: the
// files read on workers and handed back, and any picture grown into place
// (its last frames shown at once: the growth's timing has tests of its own).
// False when that has not happened within the limit.
inline bool settle(QObject* window, int limitMs = 5000)
{
    const QPointer<QObject> guarded(window);
    auto growing = [&guarded] {
        if (!guarded)
            return false;
        bool running = false;
        for (zoom::Growth* growth : guarded->findChildren<zoom::Growth*>()) {
            running = running || growth->isRunning();
            growth->finish();
        }
        return running;
    };
    const QDeadlineTimer deadline(limitMs);
    do {
        QThreadPool::globalInstance()->waitForDone(int(std::max<qint64>(0, deadline.remainingTime())));
        QCoreApplication::sendPostedEvents();
        if (!growing() && QThreadPool::globalInstance()->activeThreadCount() == 0)
            return true;
        QTest::qWait(5);
    } while (!deadline.hasExpired());
    return false;
}
