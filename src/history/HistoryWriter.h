#pragma once

#include "AnswerHistory.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

// Lives on the history's own thread and owns its database connection there:
// opens (or repairs) the file, writes answers one transaction each, and runs
// the results queries. Another program holding the file's write lock only
// delays answers: they wait in memory and are written on the next try. When
// the file cannot be used at all it says why on stderr, once, and from then on
// drops what it is given: the quiz never notices.
class HistoryWriter final : public QObject
{
    Q_OBJECT
public:
    explicit HistoryWriter(QString folder);
    ~HistoryWriter() override;

    void open();
    void write(const history::Answer& answer);
    // A last try at the answers still waiting for the lock; says on stderr how
    // many are left unwritten if the lock is still held.
    void finish();
    history::Results results(Season season, const QDateTime& now);
    history::LastAnswers lastAnswers(Season season, int count);
    history::Memory memory(Season season, double dayShift);
    history::ExemplarsUsed exemplarsUsed(Season season);
    // False once the history is off for the rest of this run.
    bool isOn() const { return m_state != State::Off; }
    int waiting() const { return int(m_pending.size()); }

    // How long one try waits for another program's write lock, and how long
    // until the next try when it was still held.
    static constexpr int BusyTimeoutMs = 2000;
    static constexpr int RetryMs = 1000;

Q_SIGNALS:
    // An answer is in the file for good.
    void written(int count);
    // The history cannot be used for the rest of this run.
    void turnedOff();

private:
    enum class State { Closed, Waiting, Ready, Off };

    bool openFile(const QString& path);
    bool moveAside(const QString& path, const QString& why);
    void turnOff(const QString& why);
    void flush();
    void retry();

    QString m_folder;
    QString m_connection;
    State m_state = State::Closed;
    int m_written = 0;
    std::deque<history::Answer> m_pending; // judged, not yet in the file
    QTimer m_retry;
};
