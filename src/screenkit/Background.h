#pragma once

#include "Screen.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <memory>

// Runs work() on a worker thread, then done(result) on the user-interface
// thread. If context is destroyed before the result arrives, done never runs:
// a late result for a closed window is dropped. The context is only ever
// looked at on the user-interface thread; the worker just carries it.
template <class Work, class Done> void inBackground(QObject* context, Work work, Done done)
{
    struct Reply
    {
        QPointer<QObject> context;
        Done done;
    };
    auto reply = std::make_shared<Reply>(Reply{context, std::move(done)});
    QThreadPool::globalInstance()->start([reply, work = std::move(work)]() mutable {
        auto result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [reply = std::move(reply), result = std::move(result)]() mutable {
                if (reply->context)
                    reply->done(std::move(result));
            },
            Qt::QueuedConnection);
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

// A reply another thread sends when it is done (the history's), of which only
// the latest asked for by this showing counts, and none once the screen's
// window has closed: wrap the callback given with the question.
class LatestReply
{
public:
    template <class Done> auto wrap(Screen& screen, Done done)
    {
        const quint64 tag = ++m_latest;
        return [this, &screen, tag, done = std::move(done)](const auto& reply) {
            if (screen.isOpen() && tag == m_latest)
                done(reply);
        };
    }

private:
    quint64 m_latest = 0;
};
