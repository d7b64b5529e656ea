#pragma once

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <type_traits>

// Runs work() on a worker thread, then done(result) on the thread of context
// (the user-interface thread for a window). If context is destroyed before the
// result arrives, done never runs: a late result for a closed window is dropped.
template <class Work, class Done> void inBackground(QObject* context, Work work, Done done)
{
    using Result = std::invoke_result_t<Work>;
    auto promise = std::make_shared<QPromise<Result>>();
    promise->future().then(context, [done = std::move(done)](Result result) mutable { done(std::move(result)); });
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        promise->addResult(work());
        promise->finish();
    });
}

// Tags requests so that only the answer to the latest one is used: a new bird
// clicked before the last one's picture arrived makes that picture stale.
class RequestTag
{
public:
    quint64 next() { return ++m_current; }
    void cancel() { ++m_current; }
    bool isCurrent(quint64 tag) const { return tag == m_current; }

private:
    quint64 m_current = 0;
};
