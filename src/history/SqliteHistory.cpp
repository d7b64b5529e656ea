#include "SqliteHistory.h"

#include "HistoryWriter.h"
#include "MediaPaths.h"

#include <QFuture>
#include <QPromise>

#include <memory>

using namespace Qt::StringLiterals;

SqliteHistory::SqliteHistory(const QString& folder) : m_writer(new HistoryWriter(folder))
{
    m_thread.setObjectName(u"piyo history"_s);
    m_writer->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
}

void SqliteHistory::start()
{
    if (m_started)
        return;
    m_started = true;
    m_thread.start();
    QMetaObject::invokeMethod(m_writer, &HistoryWriter::open, Qt::QueuedConnection);
}

SqliteHistory::~SqliteHistory()
{
    start(); // a history never used still ends its writer on its own thread
    // Queued behind every answer handed over so far.
    QMetaObject::invokeMethod(
        m_writer,
        [writer = m_writer, thread = &m_thread] {
            writer->finish();
            thread->quit();
        },
        Qt::QueuedConnection);
    m_thread.wait();
}

QString SqliteHistory::defaultFolder()
{
    return media::personalRoot(); // $XDG_DATA_HOME/piyo, a relative $XDG_DATA_HOME ignored
}

void SqliteHistory::record(const history::Answer& answer)
{
    start();
    QMetaObject::invokeMethod(
        m_writer, [writer = m_writer, answer] { writer->write(answer); }, Qt::QueuedConnection);
}

namespace {

// Runs work on the history's thread, behind the answers already handed over,
// and done with its result on context's thread. The future drops the result if
// context is gone by the time it arrives.
template <class Result, class Work>
void ask(HistoryWriter* writer, QObject* context, Work work, std::function<void(const Result&)> done)
{
    auto promise = std::make_shared<QPromise<Result>>();
    promise->future().then(context, [done = std::move(done)](const Result& result) { done(result); });
    promise->start();
    QMetaObject::invokeMethod(
        writer,
        [writer, promise, work = std::move(work)] {
            promise->addResult(work(*writer));
            promise->finish();
        },
        Qt::QueuedConnection);
}

} // namespace

void SqliteHistory::results(Season season, const QDateTime& now, QObject* context,
                            std::function<void(const history::Results&)> done)
{
    start();
    ask<history::Results>(
        m_writer, context, [season, now](HistoryWriter& writer) { return writer.results(season, now); },
        std::move(done));
}

void SqliteHistory::lastAnswers(Season season, int count, QObject* context,
                                std::function<void(const history::LastAnswers&)> done)
{
    start();
    ask<history::LastAnswers>(
        m_writer, context,
        [season, count](HistoryWriter& writer) { return writer.lastAnswers(season, count); },
        std::move(done));
}

void SqliteHistory::memory(Season season, double dayShift, QObject* context,
                           std::function<void(const history::Memory&)> done)
{
    start();
    ask<history::Memory>(
        m_writer, context,
        [season, dayShift](HistoryWriter& writer) { return writer.memory(season, dayShift); },
        std::move(done));
}

void SqliteHistory::exemplarsUsed(Season season, QObject* context,
                                  std::function<void(const history::ExemplarsUsed&)> done)
{
    start();
    ask<history::ExemplarsUsed>(
        m_writer, context, [season](HistoryWriter& writer) { return writer.exemplarsUsed(season); },
        std::move(done));
}
