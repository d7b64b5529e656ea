// The answer history as the user-interface thread feels it: what handing one
// answer over costs, and how long the results take to come back with a long
// history behind them.
// The quiz's 苦手優先 asks for each bird's latest answers when it opens.
// Usage: bench_history record N | results N | last N
#include "HistoryDatabase.h"
#include "SqliteHistory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

void report(const QString& what, std::vector<double> values, const QString& unit)
{
    std::sort(values.begin(), values.end());
    QTextStream(stdout) << what << ": median " << values[values.size() / 2] << ' ' << unit << ", min "
                        << values.front() << ", max " << values.back() << " (" << values.size() << " runs)\n";
}

history::Answer someAnswer(int i, const QDateTime& at)
{
    history::Answer answer;
    answer.at = at;
    answer.season = Season::SpringSummer;
    answer.mode = i % 2 ? history::QuizMode::ByEar : history::QuizMode::PictureAndCall;
    answer.shownBird = i % 40 + 1;
    answer.answeredBird = i % 3 ? answer.shownBird : (i * 7) % 40 + 1;
    answer.right = answer.shownBird == answer.answeredBird;
    answer.elapsedMs = 1000 + i % 5000;
    return answer;
}

// Many answers at once, spread over the last sixty days.
void fill(const QString& folder, int count)
{
    {
        SqliteHistory made(folder); // creates the file and its schema
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
        db.setDatabaseName(folder + u"/history.sqlite"_s);
        db.open();
        QSqlQuery(db).exec(u"BEGIN"_s);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int i = 0; i < count; ++i)
            history::database::insert(db, someAnswer(i, now.addSecs(-qint64(i) * 60 * 60 * 24 * 60 / count)),
                                      nullptr);
        QSqlQuery(db).exec(u"COMMIT"_s);
        db.close();
    }
    QSqlDatabase::removeDatabase(u"fill"_s);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    const int count = args.value(2, u"1000"_s).toInt();
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/piyo"_s;

    if (mode == u"record"_s) {
        SqliteHistory history(folder);
        std::vector<double> costs;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int i = 0; i < count; ++i) {
            QElapsedTimer timer;
            timer.start();
            history.record(someAnswer(i, now));
            costs.push_back(double(timer.nsecsElapsed()) / 1000.0);
        }
        report(u"handing an answer to the history, user-interface thread"_s, costs, u"µs"_s);
        return 0;
    }
    if (mode == u"results"_s || mode == u"last"_s) {
        fill(folder, count);
        SqliteHistory history(folder);
        QObject context;
        // Seven asks, each timed from the ask to the answer's arrival on this thread.
        std::vector<double> times;
        for (int run = 0; run < 7; ++run) {
            QElapsedTimer timer;
            timer.start();
            bool arrived = false;
            if (mode == u"results"_s)
                history.results(Season::SpringSummer, QDateTime::currentDateTimeUtc(), &context,
                                [&](const history::Results&) { arrived = true; });
            else
                history.lastAnswers(Season::SpringSummer, 5, &context,
                                    [&](const history::LastAnswers&) { arrived = true; });
            while (!arrived)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        const QString what =
            mode == u"results"_s
                ? u"results of a season set with %1 answers in the history, click to lines"_s
                : u"each bird's last five answers with %1 answers in the history, asked to arrived"_s;
        report(what.arg(count), times, u"ms"_s);
        return 0;
    }
    QTextStream(stderr) << "usage: bench_history record N | results N | last N\n";
    return 64;
}
