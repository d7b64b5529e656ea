#include "HistoryWriter.h"

#include "HistoryDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTextStream>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

// Another piyo writing at the same moment holds the lock for a few milliseconds;
// waiting this long for it means it is stuck, not busy.
constexpr int BusyTimeoutMs = 5000;

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return u"piyo-history-%1"_s.arg(++counter);
}

} // namespace

HistoryWriter::HistoryWriter(QString folder) : m_folder(std::move(folder)), m_connection(nextConnectionName())
{}

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
    openFile(m_folder + u"/history.sqlite"_s);
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
            m_on = true;
            return true;
        }
        db.close();
        if (prepared.outcome == Outcome::Unusable || attempt > 0) {
            turnOff(prepared.why);
            return false;
        }
        // A damaged file is the user's data all the same: it is kept beside the new one.
        moveAside(path);
    }
    return false;
}

void HistoryWriter::moveAside(const QString& path)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmss"_s);
    const QString aside = path + u".damaged-"_s + stamp;
    QTextStream(stderr) << "piyo: " << path << " is damaged; kept as " << aside
                        << " and a new history started\n";
    QFile::rename(path, aside);
    for (const QString& suffix : {u"-wal"_s, u"-shm"_s})
        if (QFile::exists(path + suffix))
            QFile::rename(path + suffix, aside + suffix);
}

void HistoryWriter::write(const history::Answer& answer)
{
    if (!m_on)
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QString why;
    if (!history::database::insert(db, answer, &why)) {
        turnOff(why);
        return;
    }
    Q_EMIT written(++m_written);
}

history::Results HistoryWriter::results(Season season, const QDateTime& now)
{
    if (!m_on)
        return {};
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return history::database::summarize(db, season, now);
}

history::LastAnswers HistoryWriter::lastAnswers(Season season, int count)
{
    if (!m_on)
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return history::database::lastAnswers(db, season, count);
}

void HistoryWriter::turnOff(const QString& why)
{
    m_on = false;
    QTextStream(stderr) << "piyo: answer history off for this run: " << why << '\n';
    Q_EMIT turnedOff();
}
