#pragma once

#include "AnswerHistory.h"

#include <QSqlDatabase>

// The history file: one table of answers, versioned with SQLite's user_version
// and brought up to date step by step when an older piyo made it.
namespace history::database {

inline constexpr int SchemaVersion = 5;

// Busy: another program holds the write lock past the busy timeout while the file
// still has to be set up; trying again later may well succeed.
enum class Outcome { Ready, Busy, Corrupt, Unusable };

struct Prepared
{
    Outcome outcome = Outcome::Unusable;
    QString why;
};

// Sets the journal (WAL, synchronous NORMAL), checks the file, migrates it and
// makes sure it can be written. Run on an open connection.
Prepared prepare(QSqlDatabase& db);

// One answer in its own transaction: once this returns true, the answer
// survives the process being killed. False with the reason otherwise, and
// *busy set when it was only another program holding the write lock.
bool insert(QSqlDatabase& db, const Answer& answer, QString* why, bool* busy = nullptr);

// Whether an error is another connection holding a lock (SQLITE_BUSY, SQLITE_LOCKED).
bool isBusy(const QSqlError& error);

// Every bird of the season set with its counts; the last seven days end at now.
Results summarize(QSqlDatabase& db, Season season, const QDateTime& now);

// The last count answers of each bird of the season set, newest first.
std::map<int, std::vector<bool>> lastAnswers(QSqlDatabase& db, Season season, int count);

// Every answer of the season set as the memory replays it, in no particular order.
std::vector<memory::Review> reviews(QSqlDatabase& db, Season season);

// When each picture and recording of the season set's birds was shown last, and how often.
std::vector<ExemplarUse> exemplarsUsed(QSqlDatabase& db, Season season);

// The text stored for a season set and a quiz mode.
QString seasonText(Season season);
QString modeText(QuizMode mode);

} // namespace history::database
