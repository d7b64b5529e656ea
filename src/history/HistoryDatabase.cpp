#include "HistoryDatabase.h"

#include "BirdTables.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <map>

using namespace Qt::StringLiterals;

namespace history::database {
namespace {

// SQLite's result codes, as the driver reports them.
const QString NotADatabase = u"26"_s;
const QString Corrupted = u"11"_s;

// Migration k brings a file from version k to version k + 1. Version 1 knew only
// pictures with calls; version 2 adds the quiz mode, and the index the results use;
// version 3 the index that finds each bird's latest answers.
const std::vector<std::vector<QString>> Migrations{
    {u"CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, season TEXT NOT NULL,"
     " shown INTEGER NOT NULL, answered INTEGER NOT NULL, is_right INTEGER NOT NULL,"
     " elapsed_ms INTEGER NOT NULL)"_s},
    {u"ALTER TABLE answers ADD COLUMN mode TEXT NOT NULL DEFAULT 'picture'"_s,
     u"CREATE INDEX answers_by_bird ON answers (season, shown, is_right, answered, answered_at)"_s},
    {u"CREATE INDEX answers_latest ON answers (season, shown, answered_at, is_right)"_s},
};

bool isCorruption(const QSqlError& error)
{
    return error.nativeErrorCode() == NotADatabase || error.nativeErrorCode() == Corrupted;
}

Prepared failed(const QSqlError& error)
{
    return {isCorruption(error) ? Outcome::Corrupt : Outcome::Unusable, error.text()};
}

QString timeText(const QDateTime& at)
{
    return at.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

QString seasonText(Season season)
{
    return season == Season::SpringSummer ? u"spring-summer"_s : u"autumn-winter"_s;
}

QString modeText(QuizMode mode)
{
    return mode == QuizMode::ByEar ? u"ear"_s : u"picture"_s;
}

Prepared prepare(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(u"PRAGMA journal_mode=WAL"_s) || !query.exec(u"PRAGMA synchronous=NORMAL"_s))
        return failed(query.lastError());
    if (!query.exec(u"PRAGMA quick_check"_s) || !query.next())
        return failed(query.lastError());
    if (query.value(0).toString() != u"ok"_s)
        return {Outcome::Corrupt, query.value(0).toString()};
    // Taking the write lock at once tells a read-only or locked file from the start,
    // and keeps a second piyo from migrating the same file at the same moment.
    if (!query.exec(u"BEGIN IMMEDIATE"_s))
        return failed(query.lastError());
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next()) {
        const QSqlError error = query.lastError();
        query.exec(u"ROLLBACK"_s);
        return failed(error);
    }
    const int version = query.value(0).toInt();
    if (version > SchemaVersion) {
        query.exec(u"ROLLBACK"_s);
        return {Outcome::Unusable, u"made by a newer piyo (schema version %1)"_s.arg(version)};
    }
    for (int step = version; step < SchemaVersion; ++step)
        for (const QString& statement : Migrations[std::size_t(step)])
            if (!query.exec(statement)) {
                const QSqlError error = query.lastError();
                query.exec(u"ROLLBACK"_s);
                return failed(error);
            }
    if (!query.exec(u"PRAGMA user_version = %1"_s.arg(SchemaVersion)) || !query.exec(u"COMMIT"_s)) {
        const QSqlError error = query.lastError();
        query.exec(u"ROLLBACK"_s);
        return failed(error);
    }
    return {Outcome::Ready, {}};
}

bool insert(QSqlDatabase& db, const Answer& answer, QString* why)
{
    QSqlQuery query(db);
    query.prepare(u"INSERT INTO answers (answered_at, season, mode, shown, answered, is_right, elapsed_ms)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
    query.addBindValue(timeText(answer.at));
    query.addBindValue(seasonText(answer.season));
    query.addBindValue(modeText(answer.mode));
    query.addBindValue(answer.shownBird);
    query.addBindValue(answer.answeredBird);
    query.addBindValue(answer.right ? 1 : 0);
    query.addBindValue(answer.elapsedMs);
    if (query.exec())
        return true;
    if (why)
        *why = query.lastError().text();
    return false;
}

Results summarize(QSqlDatabase& db, Season season, const QDateTime& now)
{
    Results results;
    std::map<int, std::size_t> byBird; // bird number → its place in results, board order
    for (const birds::BoardEntry& entry : birds::board(season)) {
        byBird[entry.number] = results.size();
        results.emplace_back().bird = entry.number;
    }
    auto find = [&](const QVariant& bird) -> BirdResult* {
        const auto found = byBird.find(bird.toInt());
        return found == byBird.end() ? nullptr : &results[found->second];
    };

    QSqlQuery counts(db);
    counts.setForwardOnly(true);
    counts.prepare(
        u"SELECT shown, COUNT(*), SUM(is_right), SUM(answered_at >= :since),"
        " SUM(is_right AND answered_at >= :since) FROM answers WHERE season = :season GROUP BY shown"_s);
    counts.bindValue(u":since"_s, timeText(now.addDays(-7)));
    counts.bindValue(u":season"_s, seasonText(season));
    if (counts.exec())
        while (counts.next()) {
            if (BirdResult* bird = find(counts.value(0))) {
                bird->asked = counts.value(1).toInt();
                bird->right = counts.value(2).toInt();
                bird->askedThisWeek = counts.value(3).toInt();
                bird->rightThisWeek = counts.value(4).toInt();
            }
        }

    QSqlQuery confusions(db);
    confusions.setForwardOnly(true);
    confusions.prepare(u"SELECT shown, answered, COUNT(*) AS times FROM answers"
                       " WHERE season = :season AND is_right = 0 GROUP BY shown, answered"
                       " ORDER BY shown, times DESC, answered"_s);
    confusions.bindValue(u":season"_s, seasonText(season));
    if (confusions.exec())
        while (confusions.next()) {
            BirdResult* bird = find(confusions.value(0));
            if (bird && bird->takenFor.size() < 2)
                bird->takenFor.emplace_back(confusions.value(1).toInt(), confusions.value(2).toInt());
        }
    return results;
}

std::map<int, std::vector<bool>> lastAnswers(QSqlDatabase& db, Season season, int count)
{
    // Bird by bird, each a few steps back along its latest answers in the index:
    // one query over the whole set would sort every answer ever given. Two piyo
    // at once interleave their rows, so the latest are those answered last, not
    // those written last.
    std::map<int, std::vector<bool>> answers;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT is_right FROM answers WHERE season = :season AND shown = :shown"
                  " ORDER BY answered_at DESC LIMIT :count"_s);
    for (const birds::BoardEntry& entry : birds::board(season)) {
        query.bindValue(u":season"_s, seasonText(season));
        query.bindValue(u":shown"_s, entry.number);
        query.bindValue(u":count"_s, count);
        if (!query.exec())
            return answers;
        while (query.next())
            answers[entry.number].push_back(query.value(0).toInt() != 0);
        query.finish();
    }
    return answers;
}

} // namespace history::database
