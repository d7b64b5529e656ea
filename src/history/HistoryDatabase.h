#pragma once

#include "AnswerHistory.h"

#include <QSqlDatabase>

// The history file: one table of answers, versioned with SQLite's user_version
// and brought up to date step by step when an older piyo made it.
namespace history::database {

inline constexpr int SchemaVersion = 4;

enum class Outcome { Ready, Corrupt, Unusable };

struct Prepared
{
    Outcome outcome = Outcome::Unusable;
    QString why;
};

// Sets the journal (WAL, synchronous NORMAL), checks the file, migrates it and
// makes sure it can be written. Run on an open connection.
Prepared prepare(QSqlDatabase& db);

// One answer in its own transaction: once this returns true, the answer
// survives the process being killed. False with the reason otherwise.
bool insert(QSqlDatabase& db, const Answer& answer, QString* why);

// Every bird of the season set with its counts; the last seven days end at now.
Results summarize(QSqlDatabase& db, Season season, const QDateTime& now);

// The last count answers of each bird of the season set, newest first.
std::map<int, std::vector<bool>> lastAnswers(QSqlDatabase& db, Season season, int count);

// The text stored for a season set and a quiz mode.
QString seasonText(Season season);
QString modeText(QuizMode mode);

} // namespace history::database
