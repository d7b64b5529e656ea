#pragma once

#include "AnswerHistory.h"

#include <QStringList>

// The lines of the quiz's results view: the season set's birds, worst first,
// e.g. "ダイゼン 4/9 7日2/5 ←メダイチドリ×3".
namespace quiz {

inline const QString NoHistoryYet = QStringLiteral("まだ答えの記録がありません");
inline const QString NoHistory = QStringLiteral("答えの記録は使えません");

QStringList resultLines(const history::Results& results);

} // namespace quiz
