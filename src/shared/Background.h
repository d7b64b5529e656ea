#pragma once

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include "Screen.h"

#include <memory>
#include <type_traits>

// Runs work() on a worker thread, then done(result) on the thread of context
// (the user-interface thread for a window). If context is destroyed before the
// result arrives, done never runs: a late result for a closed window is dropped.
template <class Work, class Done> void inBackground(QObject* context, Work work, Done done)
{
    using Result = std::invoke_result_t<Work>;
    auto promise = std::make_shared<QPromise<Result>>();
    promise->future().then(context,
                           [done = std::move(done)](Result result) mutable { done(std::move(result)); });
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        promise->addResult(work());
        promise->finish();
    });
}

// Work a screen asks for on a worker, of which only the latest answer counts:
// a new bird clicked before the last one's picture arrived makes that picture
// stale, and nothing arrives once the screen's window has closed.
class LatestRequest
{
public:
    template <class Work, class Done> void start(Screen& screen, Work work, Done done)
    {
        const quint64 tag = ++m_latest;
        inBackground(screen.form(), std::move(work),
                     [this, &screen, tag, done = std::move(done)](auto result) mutable {
                         if (screen.isOpen() && tag == m_latest)
                             done(std::move(result));
                     });
    }
    // Whatever was asked for is no longer wanted.
    void cancel() { ++m_latest; }

private:
    quint64 m_latest = 0;
};
