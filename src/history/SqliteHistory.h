#pragma once

#include "AnswerHistory.h"

#include <QThread>

class HistoryWriter;

// The answer history in $XDG_DATA_HOME/piyo/history.sqlite, written on a thread
// of its own so that a slow disk or a busy file never holds up a click. The
// thread starts, and opens the file, on start() or the first use, whichever
// comes first: the program starts it once its first window is on screen.
class SqliteHistory final : public history::AnswerHistory
{
public:
    explicit SqliteHistory(const QString& folder = defaultFolder());
    // Writes what is still queued, then stops the thread.
    ~SqliteHistory() override;

    static QString defaultFolder();

    void start();

    void record(const history::Answer& answer) override;
    void results(Season season, const QDateTime& now, QObject* context,
                 std::function<void(const history::Results&)> done) override;
    void lastAnswers(Season season, int count, QObject* context,
                     std::function<void(const history::LastAnswers&)> done) override;
    void memory(Season season, double dayShift, QObject* context,
                std::function<void(const history::Memory&)> done) override;
    void exemplarsUsed(Season season, QObject* context,
                       std::function<void(const history::ExemplarsUsed&)> done) override;

    // Lives on the history thread: connect to its signals, never call it directly.
    HistoryWriter* writer() const { return m_writer; }

private:
    QThread m_thread;
    HistoryWriter* m_writer;
    bool m_started = false;
};
