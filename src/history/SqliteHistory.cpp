#include "SqliteHistory.h"

#include "HistoryWriter.h"

#include <QFuture>
#include <QPromise>
#include <QStandardPaths>

#include <memory>

using namespace Qt::StringLiterals;

SqliteHistory::SqliteHistory(const QString& folder) : m_writer(new HistoryWriter(folder))
{
    m_thread.setObjectName(u"piyo history"_s);
    m_writer->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(m_writer, &HistoryWriter::open, Qt::QueuedConnection);
}

SqliteHistory::~SqliteHistory()
{
    // Queued behind every answer handed over so far.
    QMetaObject::invokeMethod(
        m_writer, [thread = &m_thread] { thread->quit(); }, Qt::QueuedConnection);
    m_thread.wait();
}

QString SqliteHistory::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/piyo"_s;
}

void SqliteHistory::record(const history::Answer& answer)
{
    QMetaObject::invokeMethod(
        m_writer, [writer = m_writer, answer] { writer->write(answer); }, Qt::QueuedConnection);
}

void SqliteHistory::results(Season season, const QDateTime& now, QObject* context,
                            std::function<void(const history::Results&)> done)
{
    // The future drops the answer if context is gone by the time it arrives.
    auto promise = std::make_shared<QPromise<history::Results>>();
    promise->future().then(context,
                           [done = std::move(done)](const history::Results& results) { done(results); });
    promise->start();
    QMetaObject::invokeMethod(
        m_writer,
        [writer = m_writer, promise, season, now] {
            promise->addResult(writer->results(season, now));
            promise->finish();
        },
        Qt::QueuedConnection);
}
