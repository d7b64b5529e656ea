#include "HistoryWriter.h"

#include "HistoryDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTextStream>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return u"piyo-history-%1"_s.arg(++counter);
}

// Refused before SQLite sees it: SQLite would open a device or follow a dangling
// link, and make its journal files beside it, outside the user's folder.
QString notAHistoryFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status
    {
    };
    if (::lstat(name.constData(), &status) != 0)
        return {}; // not there yet: made as a new history
    if (S_ISLNK(status.st_mode) && ::stat(name.constData(), &status) != 0)
        return u"%1 is a link to nothing; left alone"_s.arg(path);
    if (!S_ISREG(status.st_mode))
        return u"%1 is not a regular file (a device, folder, pipe or socket); left alone"_s.arg(path);
    return {};
}

} // namespace

HistoryWriter::HistoryWriter(QString folder) : m_folder(std::move(folder)), m_connection(nextConnectionName())
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    m_retry.callOnTimeout(this, &HistoryWriter::retry);
    // The timer belongs to this object and moves to its thread with it.
    m_retry.setParent(this);
}

HistoryWriter::~HistoryWriter()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void HistoryWriter::open()
{
    if (!QDir().mkpath(m_folder)) {
        turnOff(u"cannot create the folder %1"_s.arg(m_folder));
        return;
    }
    const QString path = m_folder + u"/history.sqlite"_s;
    if (const QString why = notAHistoryFile(path); !why.isEmpty()) {
        turnOff(why);
        return;
    }
    openFile(path);
}

bool HistoryWriter::openFile(const QString& path)
{
    using history::database::Outcome;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlDatabase db = QSqlDatabase::contains(m_connection)
                              ? QSqlDatabase::database(m_connection, false)
                              : QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(BusyTimeoutMs));
        if (!db.open()) {
            turnOff(db.lastError().text());
            return false;
        }
        const history::database::Prepared prepared = history::database::prepare(db);
        if (prepared.outcome == Outcome::Ready) {
            m_state = State::Ready;
            flush();
            return true;
        }
        db.close();
        if (prepared.outcome == Outcome::Busy) {
            // Another program is setting the file up or holds it: answers wait in memory.
            m_state = State::Waiting;
            m_retry.start();
            return false;
        }
        if (prepared.outcome == Outcome::Unusable || attempt > 0) {
            turnOff(prepared.why);
            return false;
        }
        // A damaged file is the user's data all the same: it is kept beside the new one.
        if (!moveAside(path, prepared.why))
            return false;
    }
    return false;
}

bool HistoryWriter::moveAside(const QString& path, const QString& why)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmss"_s);
    const QString aside = path + u".damaged-"_s + stamp;
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) != 0) {
        turnOff(u"%1 is damaged and cannot be moved aside (%2); left as it is"_s.arg(
            path, QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    for (const QString& suffix : {u"-wal"_s, u"-shm"_s})
        if (QFile::exists(path + suffix))
            QFile::rename(path + suffix, aside + suffix);
    // An integrity check's report runs to many lines: its first says enough.
    QTextStream(stderr) << "piyo: " << path << " is damaged (" << why.section(u'\n', 0, 0).trimmed()
                        << "); kept as " << aside << " and a new history started\n";
    return true;
}

void HistoryWriter::write(const history::Answer& answer)
{
    if (m_state == State::Off)
        return;
    m_pending.push_back(answer);
    // While a retry is due, the lock was held a moment ago: the answer waits for it.
    if (m_state == State::Ready && !m_retry.isActive())
        flush();
}

// Writes the waiting answers in the order they were given, until the lock is
// found held (then tries again later) or the file fails for good.
void HistoryWriter::flush()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    while (m_state == State::Ready && !m_pending.empty()) {
        QString why;
        bool busy = false;
        if (!history::database::insert(db, m_pending.front(), &why, &busy)) {
            if (busy)
                m_retry.start();
            else
                turnOff(why);
            return;
        }
        m_pending.pop_front();
        Q_EMIT written(++m_written);
    }
}

void HistoryWriter::retry()
{
    if (m_state == State::Waiting)
        openFile(m_folder + u"/history.sqlite"_s);
    else if (m_state == State::Ready)
        flush();
}

void HistoryWriter::finish()
{
    m_retry.stop();
    if (m_state == State::Waiting)
        openFile(m_folder + u"/history.sqlite"_s);
    flush();
    m_retry.stop();
    if (!m_pending.empty() && m_state != State::Off)
        QTextStream(stderr)
            << "piyo: " << m_pending.size()
            << " answers not written: another program held the answer history the whole time\n";
}

history::Results HistoryWriter::results(Season season, const QDateTime& now)
{
    if (m_state != State::Ready)
        return {};
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return history::database::summarize(db, season, now);
}

history::LastAnswers HistoryWriter::lastAnswers(Season season, int count)
{
    if (m_state == State::Off || m_state == State::Closed)
        return std::nullopt;
    if (m_state == State::Waiting)
        return std::map<int, std::vector<bool>>{}; // on, but nothing readable yet
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return history::database::lastAnswers(db, season, count);
}

history::Memory HistoryWriter::memory(Season season, double dayShift)
{
    if (m_state == State::Off || m_state == State::Closed)
        return nullptr;
    if (m_state == State::Waiting)
        return std::make_shared<const memory::MemoryBook>(dayShift); // on, but nothing readable yet
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return std::make_shared<const memory::MemoryBook>(
        memory::MemoryBook::replay(history::database::reviews(db, season), dayShift));
}

history::ExemplarsUsed HistoryWriter::exemplarsUsed(Season season)
{
    if (m_state == State::Off || m_state == State::Closed)
        return std::nullopt;
    if (m_state == State::Waiting)
        return std::vector<history::ExemplarUse>{}; // on, but nothing readable yet
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return history::database::exemplarsUsed(db, season);
}

void HistoryWriter::turnOff(const QString& why)
{
    m_state = State::Off;
    m_retry.stop();
    m_pending.clear();
    QTextStream(stderr) << "piyo: answer history off for this run: " << why << '\n';
    Q_EMIT turnedOff();
}
