#include "HistoryDatabase.h"

#include "BirdTables.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <map>

using namespace Qt::StringLiterals;

namespace history::database {
namespace {

// SQLite's primary result codes; the driver may report extended ones, whose low byte
// is the primary code.
constexpr int Corrupted = 11;
constexpr int NotADatabase = 26;
constexpr int Busy = 5;
constexpr int Locked = 6;

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

// The tables every answer goes into; a file at the current version without them was
// damaged by something other than piyo.
const QStringList Tables{u"answers"_s, u"bird_totals"_s, u"confusions"_s, u"exemplars_used"_s};

// Migration k brings a file from version k to version k + 1. Version 1 knew only
// pictures with calls; version 2 adds the quiz mode, and the index the results use;
// version 3 the index that finds each bird's latest answers; version 4 keeps each
// bird's totals and confusions as answers come in, so that the results view does
// not count a long history again each time it opens; version 5 which of a bird's
// pictures and recordings was shown, and when each was shown last, so that the
// quiz shows the one not seen for longest.
const std::vector<std::vector<QString>> Migrations{
    {u"CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, season TEXT NOT NULL,"
     " shown INTEGER NOT NULL, answered INTEGER NOT NULL, is_right INTEGER NOT NULL,"
     " elapsed_ms INTEGER NOT NULL)"_s},
    {u"ALTER TABLE answers ADD COLUMN mode TEXT NOT NULL DEFAULT 'picture'"_s,
     u"CREATE INDEX answers_by_bird ON answers (season, shown, is_right, answered, answered_at)"_s},
    {u"CREATE INDEX answers_latest ON answers (season, shown, answered_at, is_right)"_s},
    {u"CREATE TABLE bird_totals (season TEXT NOT NULL, shown INTEGER NOT NULL, asked INTEGER NOT NULL,"
     " answered_right INTEGER NOT NULL, PRIMARY KEY (season, shown)) WITHOUT ROWID"_s,
     u"CREATE TABLE confusions (season TEXT NOT NULL, shown INTEGER NOT NULL, answered INTEGER NOT NULL,"
     " times INTEGER NOT NULL, PRIMARY KEY (season, shown, answered)) WITHOUT ROWID"_s,
     u"INSERT INTO bird_totals SELECT season, shown, COUNT(*), SUM(is_right) FROM answers"
     " GROUP BY season, shown"_s,
     u"INSERT INTO confusions SELECT season, shown, answered, COUNT(*) FROM answers WHERE is_right = 0"
     " GROUP BY season, shown, answered"_s,
     u"DROP INDEX IF EXISTS answers_by_bird"_s, // the counts it served are kept above now
     // In the answer's own transaction: the totals can never disagree with the answers.
     u"CREATE TRIGGER answers_counted AFTER INSERT ON answers BEGIN"
     " INSERT INTO bird_totals VALUES (NEW.season, NEW.shown, 1, NEW.is_right)"
     "  ON CONFLICT (season, shown) DO UPDATE SET asked = asked + 1, answered_right = answered_right + "
     "NEW.is_right;"
     " INSERT INTO confusions SELECT NEW.season, NEW.shown, NEW.answered, 1 WHERE NEW.is_right = 0"
     "  ON CONFLICT (season, shown, answered) DO UPDATE SET times = times + 1;"
     " END"_s},
    {u"ALTER TABLE answers ADD COLUMN picture_exemplar INTEGER NOT NULL DEFAULT 1"_s,
     u"ALTER TABLE answers ADD COLUMN call_exemplar INTEGER NOT NULL DEFAULT 1"_s,
     u"CREATE TABLE exemplars_used (season TEXT NOT NULL, shown INTEGER NOT NULL, kind TEXT NOT NULL,"
     " exemplar INTEGER NOT NULL, last_at TEXT NOT NULL, times INTEGER NOT NULL,"
     " PRIMARY KEY (season, shown, kind, exemplar)) WITHOUT ROWID"_s,
     u"INSERT INTO exemplars_used SELECT season, shown, 'picture', 1, MAX(answered_at), COUNT(*) FROM answers"
     " GROUP BY season, shown"_s,
     u"INSERT INTO exemplars_used SELECT season, shown, 'call', 1, MAX(answered_at), COUNT(*) FROM answers"
     " GROUP BY season, shown"_s,
     // Two piyo at once interleave their answers: the latest time wins, not the latest row.
     u"CREATE TRIGGER exemplars_counted AFTER INSERT ON answers BEGIN"
     " INSERT INTO exemplars_used VALUES (NEW.season, NEW.shown, 'picture', NEW.picture_exemplar,"
     " NEW.answered_at, 1)"
     "  ON CONFLICT (season, shown, kind, exemplar) DO UPDATE SET times = times + 1,"
     " last_at = MAX(last_at, NEW.answered_at);"
     " INSERT INTO exemplars_used VALUES (NEW.season, NEW.shown, 'call', NEW.call_exemplar,"
     " NEW.answered_at, 1)"
     "  ON CONFLICT (season, shown, kind, exemplar) DO UPDATE SET times = times + 1,"
     " last_at = MAX(last_at, NEW.answered_at);"
     " END"_s},
};

bool isCorruption(const QSqlError& error)
{
    return primaryCode(error) == NotADatabase || primaryCode(error) == Corrupted;
}

Prepared failed(const QSqlError& error)
{
    if (isBusy(error))
        return {Outcome::Busy, error.text()};
    return {isCorruption(error) ? Outcome::Corrupt : Outcome::Unusable, error.text()};
}

// The first table piyo writes to that the file lacks, or an empty string.
QString missingTable(QSqlQuery& query)
{
    for (const QString& table : Tables) {
        query.prepare(u"SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"_s);
        query.addBindValue(table);
        if (!query.exec() || !query.next())
            return table;
    }
    return {};
}

QString timeText(const QDateTime& at)
{
    return at.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

bool isBusy(const QSqlError& error)
{
    return primaryCode(error) == Busy || primaryCode(error) == Locked;
}

QString seasonText(Season season)
{
    return season == Season::SpringSummer ? u"spring-summer"_s : u"autumn-winter"_s;
}

// Every mode has a word of its own: a new mode without one fails to compile
// here instead of being recorded as another.
QString modeText(QuizMode mode)
{
    switch (mode) {
    case QuizMode::PictureAndCall:
        return u"picture"_s;
    case QuizMode::ByEar:
        return u"ear"_s;
    }
    return u"picture"_s; // not reached: every mode is named above
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
    if (!query.exec(u"BEGIN IMMEDIATE"_s)) {
        // Another program writing: a file already up to date needs no lock to start
        // with, and each answer waits for its own turn.
        const QSqlError error = query.lastError();
        if (isBusy(error) && query.exec(u"PRAGMA user_version"_s) && query.next() &&
            query.value(0).toInt() == SchemaVersion && missingTable(query).isEmpty())
            return {Outcome::Ready, {}};
        return failed(error);
    }
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
    if (const QString table = missingTable(query); !table.isEmpty()) {
        query.exec(u"ROLLBACK"_s);
        return {Outcome::Corrupt,
                u"no such table: %1 (the file says schema version %2)"_s.arg(table).arg(version)};
    }
    if (!query.exec(u"PRAGMA user_version = %1"_s.arg(SchemaVersion)) || !query.exec(u"COMMIT"_s)) {
        const QSqlError error = query.lastError();
        query.exec(u"ROLLBACK"_s);
        return failed(error);
    }
    return {Outcome::Ready, {}};
}

bool insert(QSqlDatabase& db, const Answer& answer, QString* why, bool* busy)
{
    QSqlQuery query(db);
    const auto fail = [&](const QSqlError& error) {
        if (why)
            *why = error.text();
        if (busy)
            *busy = isBusy(error);
        return false;
    };
    // A statement that cannot be prepared says why here (a missing table, a locked
    // schema), not later as a mismatch of its parameters.
    if (!query.prepare(
            u"INSERT INTO answers (answered_at, season, mode, shown, answered, is_right, elapsed_ms,"
            " picture_exemplar, call_exemplar) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s))
        return fail(query.lastError());
    query.addBindValue(timeText(answer.at));
    query.addBindValue(seasonText(answer.season));
    query.addBindValue(modeText(answer.mode));
    query.addBindValue(answer.shownBird);
    query.addBindValue(answer.answeredBird);
    query.addBindValue(answer.right ? 1 : 0);
    query.addBindValue(answer.elapsedMs);
    query.addBindValue(answer.pictureExemplar);
    query.addBindValue(answer.callExemplar);
    if (query.exec())
        return true;
    return fail(query.lastError());
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

    QSqlQuery totals(db);
    totals.setForwardOnly(true);
    totals.prepare(u"SELECT shown, asked, answered_right FROM bird_totals WHERE season = :season"_s);
    totals.bindValue(u":season"_s, seasonText(season));
    if (totals.exec())
        while (totals.next())
            if (BirdResult* bird = find(totals.value(0))) {
                bird->asked = totals.value(1).toInt();
                bird->right = totals.value(2).toInt();
            }

    // This week's answers are the few latest of each bird, found in the index.
    QSqlQuery week(db);
    week.setForwardOnly(true);
    week.prepare(u"SELECT COUNT(*), SUM(is_right) FROM answers"
                 " WHERE season = :season AND shown = :shown AND answered_at >= :since"_s);
    for (BirdResult& bird : results) {
        if (bird.asked == 0)
            continue;
        week.bindValue(u":season"_s, seasonText(season));
        week.bindValue(u":shown"_s, bird.bird);
        week.bindValue(u":since"_s, timeText(now.addDays(-7)));
        if (week.exec() && week.next()) {
            bird.askedThisWeek = week.value(0).toInt();
            bird.rightThisWeek = week.value(1).toInt();
        }
    }

    QSqlQuery confusions(db);
    confusions.setForwardOnly(true);
    confusions.prepare(u"SELECT shown, answered, times FROM confusions WHERE season = :season"
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

// The time as days since 1970 from SQLite itself, and the four small numbers
// of an answer packed into one: each value the driver hands over costs more
// than the work of the row, and a long history has a hundred thousand rows.
std::vector<memory::Review> reviews(QSqlDatabase& db, Season season)
{
    std::vector<memory::Review> found;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        u"SELECT julianday(answered_at) - 2440587.5,"
        " (shown & 255) | ((answered & 255) << 8) | ((is_right != 0) << 16) | ((mode = :ear) << 17),"
        " elapsed_ms FROM answers WHERE season = :season"_s);
    query.bindValue(u":ear"_s, modeText(QuizMode::ByEar));
    query.bindValue(u":season"_s, seasonText(season));
    if (!query.exec())
        return found;
    while (query.next()) {
        if (query.isNull(0))
            continue; // a time SQLite cannot read: no place in the order
        const qint64 packed = query.value(1).toLongLong();
        memory::Review& review = found.emplace_back();
        review.at = query.value(0).toDouble();
        review.bird = int(packed & 255);
        review.answered = int((packed >> 8) & 255);
        review.right = (packed >> 16) & 1;
        review.mode = int((packed >> 17) & 1);
        review.elapsedMs = query.value(2).toLongLong();
    }
    return found;
}

std::vector<ExemplarUse> exemplarsUsed(QSqlDatabase& db, Season season)
{
    std::vector<ExemplarUse> found;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        u"SELECT shown, kind, exemplar, last_at, times FROM exemplars_used WHERE season = :season"_s);
    query.bindValue(u":season"_s, seasonText(season));
    if (!query.exec())
        return found;
    while (query.next()) {
        ExemplarUse& use = found.emplace_back();
        use.bird = query.value(0).toInt();
        use.call = query.value(1).toString() == u"call"_s;
        use.exemplar = query.value(2).toInt();
        use.lastAt = QDateTime::fromString(query.value(3).toString(), Qt::ISODateWithMs);
        use.times = query.value(4).toInt();
    }
    return found;
}

} // namespace history::database
