#pragma once

#include "ZoomIn.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTest>
#include <QThread>
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
    // Not QThreadPool::waitForDone(): once the pool is idle it ends every
    // worker thread, and the next request starts a new one; a test that
    // settles after each step would start thousands (slow under the sanitizers).
    QThreadPool* pool = QThreadPool::globalInstance();
    const QDeadlineTimer deadline(limitMs);
    do {
        while (pool->activeThreadCount() > 0 && !deadline.hasExpired())
            QThread::usleep(200);
        QCoreApplication::sendPostedEvents();
        if (!growing() && pool->activeThreadCount() == 0)
            return true;
        QTest::qWait(5);
    } while (!deadline.hasExpired());
    return false;
}
