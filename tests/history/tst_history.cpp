#include "HistoryDatabase.h"
#include "HistoryWriter.h"
#include "SqliteHistory.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A connection of the test's own, to look at what the program wrote.
class Inspect
{
public:
    explicit Inspect(const QString& path) : m_name(u"inspect-%1"_s.arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Inspect()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QVariant value(const QString& sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        if (!query.exec(sql) || !query.next())
            return {};
        return query.value(0);
    }
    bool exec(const QString& sql) const { return QSqlQuery(QSqlDatabase::database(m_name)).exec(sql); }

private:
    static inline int s_count = 0;
    QString m_name;
};

struct Run
{
    int status = -1;
    QStringList stdoutLines;
    QStringList stderrLines;
};

// The recorder, as a user without rights over root-owned files when the tests run as root.
QProcess* startRecorder(const QString& folder, int count, bool unprivileged = false)
{
    auto* process = new QProcess;
    QStringList args{folder};
    if (count > 0)
        args << QString::number(count);
    if (unprivileged && ::geteuid() == 0)
        process->start(u"setpriv"_s, QStringList{u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
                                                 QStringLiteral(HISTORY_RECORDER)} +
                                         args);
    else
        process->start(QStringLiteral(HISTORY_RECORDER), args);
    return process;
}

Run finish(QProcess* process)
{
    process->waitForFinished(30000);
    Run run{process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1,
            QString::fromUtf8(process->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process->readAllStandardError()).split(u'\n', Qt::SkipEmptyParts)};
    delete process;
    return run;
}

Run record(const QString& folder, int count, bool unprivileged = false)
{
    return finish(startRecorder(folder, count, unprivileged));
}

history::Answer answer(int shown, int answered, const QDateTime& at)
{
    history::Answer a;
    a.at = at;
    a.season = Season::SpringSummer;
    a.mode = history::QuizMode::ByEar;
    a.shownBird = shown;
    a.answeredBird = answered;
    a.right = shown == answered;
    a.elapsedMs = 1234;
    return a;
}

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + u"/piyo"_s; }
    QString file() const { return folder() + u"/history.sqlite"_s; }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QProcess::execute(u"chmod"_s, {u"-R"_s, u"u+rwX"_s, m_dir.path()});
        QDir(folder()).removeRecursively();
        QFile::remove(folder()); // left as a file by the blocked-folder case
    }

    void folderFollowsXdgDataHome()
    {
        QCOMPARE(SqliteHistory::defaultFolder(), qEnvironmentVariable("XDG_DATA_HOME") + u"/piyo"_s);
    }

    void answersAreKeptWithEveryField()
    {
        const QDateTime at = QDateTime(QDate(2026, 5, 1), QTime(6, 30, 15, 250), Qt::UTC);
        {
            SqliteHistory history(folder());
            history.record(answer(7, 12, at));
        }
        Inspect db(file());
        QCOMPARE(db.value(u"SELECT answered_at || '|' || season || '|' || mode || '|' || shown || '|' ||"
                          " answered || '|' || is_right || '|' || elapsed_ms FROM answers"_s)
                     .toString(),
                 u"2026-05-01T06:30:15.250Z|spring-summer|ear|7|12|0|1234"_s);
        QCOMPARE(db.value(u"PRAGMA journal_mode"_s).toString(), u"wal"_s);
        QCOMPARE(db.value(u"PRAGMA user_version"_s).toInt(), history::database::SchemaVersion);
    }

    void resultsCountEachBirdAndWhatItWasTakenFor()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QDateTime old = now.addDays(-30);
        SqliteHistory history(folder());
        // Bird 2 shown five times: twice taken for 1, once for 7, right twice (once this week).
        for (const history::Answer& a : {answer(2, 1, old), answer(2, 1, now), answer(2, 7, old),
                                         answer(2, 2, old), answer(2, 2, now), answer(7, 7, now)})
            history.record(a);
        QObject context;
        history::Results results;
        bool arrived = false;
        history.results(Season::SpringSummer, now, &context, [&](const history::Results& r) {
            results = r;
            arrived = true;
        });
        QTRY_VERIFY(arrived);
        QCOMPARE(results.size(), std::size_t(40));
        auto bird = [&](int number) {
            return *std::find_if(results.begin(), results.end(),
                                 [&](const auto& r) { return r.bird == number; });
        };
        const history::BirdResult two = bird(2);
        QCOMPARE(two.asked, 5);
        QCOMPARE(two.right, 2);
        QCOMPARE(two.askedThisWeek, 2);
        QCOMPARE(two.rightThisWeek, 1);
        QCOMPARE(two.takenFor, (std::vector<std::pair<int, int>>{{1, 2}, {7, 1}}));
        QCOMPARE(bird(7).asked, 1);
        QCOMPARE(bird(3).asked, 0);
    }

    // The quiz weighs its draw by these: a wrong order or another set's answers
    // would bring the wrong birds back.
    void lastAnswersAreEachBirdsLatestNewestFirst()
    {
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
        history::LastAnswers last;
        {
            SqliteHistory history(folder());
            // Bird 2: right, then six wrong, then right; written out of time order,
            // as two piyo at once may write them.
            const std::vector<int> given{2, 1, 1, 1, 1, 1, 1, 2};
            for (int i = int(given.size()) - 1; i >= 0; --i)
                history.record(answer(2, given[std::size_t(i)], start.addSecs(i)));
            history.record(answer(7, 7, start));
            history::Answer autumn = answer(61, 45, start);
            autumn.season = Season::AutumnWinter;
            history.record(autumn);
            QObject context;
            bool arrived = false;
            history.lastAnswers(Season::SpringSummer, 5, &context, [&](const history::LastAnswers& answers) {
                last = answers;
                arrived = true;
            });
            QTRY_VERIFY(arrived);
        }
        QVERIFY(last.has_value());
        const std::map<int, std::vector<bool>> expected{{2, {true, false, false, false, false}}, {7, {true}}};
        QCOMPARE(*last, expected);
    }

    void lastAnswersOfAHistoryOffAreNone()
    {
        QFile blocker(folder()); // the folder cannot be made
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        SqliteHistory history(folder());
        QObject context;
        std::optional<history::LastAnswers> last;
        history.lastAnswers(Season::SpringSummer, 5, &context,
                            [&](const history::LastAnswers& answers) { last = answers; });
        QTRY_VERIFY(last.has_value());
        QVERIFY(!last->has_value());
    }

    // What was committed before a kill is there afterwards, and the file is sound.
    void answersSurviveAKill()
    {
        QProcess* process = startRecorder(folder(), 0);
        int confirmed = 0;
        while (confirmed < 200 && process->waitForReadyRead(10000))
            while (process->canReadLine())
                confirmed = QString::fromUtf8(process->readLine()).trimmed().toInt();
        QVERIFY(confirmed >= 200);
        process->kill(); // SIGKILL
        process->waitForFinished();
        delete process;
        Inspect db(file());
        QCOMPARE(db.value(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        const int rows = db.value(u"SELECT COUNT(*) FROM answers"_s).toInt();
        QVERIFY2(rows >= confirmed, qPrintable(u"%1 rows, %2 confirmed"_s.arg(rows).arg(confirmed)));
        QCOMPARE(db.value(u"SELECT MAX(id) FROM answers"_s).toInt(), rows); // none missing in between
    }

    void twoProgramsRecordAtOnce()
    {
        QProcess* first = startRecorder(folder(), 300);
        QProcess* second = startRecorder(folder(), 300);
        const Run a = finish(first);
        const Run b = finish(second);
        QCOMPARE(a.status, 0);
        QCOMPARE(b.status, 0);
        QVERIFY2(a.stderrLines.isEmpty(), qPrintable(a.stderrLines.join(u'\n')));
        QCOMPARE(Inspect(file()).value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 600);
    }

    void missingFolderIsMade()
    {
        const Run run = record(folder(), 3);
        QCOMPARE(run.status, 0);
        QCOMPARE(Inspect(file()).value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 3);
    }

    void damagedFileIsKeptAsideAndANewOneStarted_data()
    {
        QTest::addColumn<bool>("damagedInside");
        QTest::newRow("not a database at all") << false;
        QTest::newRow("database with damaged pages") << true;
    }
    void damagedFileIsKeptAsideAndANewOneStarted()
    {
        QFETCH(bool, damagedInside);
        QDir().mkpath(folder());
        QByteArray bytes;
        if (damagedInside) {
            QCOMPARE(record(folder(), 400).status, 0);
            {
                Inspect db(file());
                db.exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
            }
            QFile f(file());
            QVERIFY(f.open(QIODevice::ReadWrite));
            bytes = f.readAll();
            QVERIFY(bytes.size() > 3 * 4096);
            for (qsizetype i = 4096; i < bytes.size(); ++i)
                bytes[i] = char(0x5a);
            f.seek(0);
            f.write(bytes);
        } else {
            bytes = QByteArray("these are not the answers you are looking for\n").repeated(100);
            QFile f(file());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }

        const Run run = record(folder(), 2);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.stderrLines.size(), 1);
        QVERIFY(run.stderrLines[0].contains(u"damaged"_s));
        const QStringList aside = QDir(folder()).entryList({u"history.sqlite.damaged-*"_s});
        QVERIFY2(!aside.isEmpty(), qPrintable(QDir(folder()).entryList().join(u' ')));
        QFile kept(folder() + u'/' + aside.first());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
        QCOMPARE(Inspect(file()).value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 2);
    }

    // History off: one line on stderr, the file as it was.
    void unusableFileTurnsTheHistoryOff_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("a fifo in its place") << u"fifo"_s;
        QTest::newRow("a link to a fifo outside") << u"link to fifo"_s;
        QTest::newRow("a link to nothing") << u"dangling link"_s;
        QTest::newRow("damaged, in a folder the user cannot write") << u"read-only damaged"_s;
        QTest::newRow("read-only folder") << u"read-only folder"_s;
        QTest::newRow("read-only file") << u"read-only file"_s;
        QTest::newRow("folder cannot be made") << u"blocked folder"_s;
        QTest::newRow("made by a newer piyo") << u"newer"_s;
    }
    void unusableFileTurnsTheHistoryOff()
    {
        QFETCH(QString, situation);
        QDir().mkpath(m_dir.path());
        QFile::setPermissions(m_dir.path(), QFile::Permissions(0x7755));
        std::unique_ptr<Inspect> holder;
        if (situation == u"blocked folder"_s) {
            QFile blocker(folder());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QCOMPARE(record(folder(), 1).status, 0);
        }
        const QString outside = m_dir.path() + u"/outside"_s;
        if (situation == u"fifo"_s || situation.endsWith(u"link"_s) || situation == u"link to fifo"_s) {
            QDir(outside).removeRecursively();
            QVERIFY(QDir().mkpath(outside));
            QFile::remove(file());
            if (situation == u"fifo"_s)
                QCOMPARE(::mkfifo(QFile::encodeName(file()).constData(), 0600), 0);
            else if (situation == u"link to fifo"_s) {
                QCOMPARE(::mkfifo(QFile::encodeName(outside + u"/fifo"_s).constData(), 0600), 0);
                QVERIFY(QFile::link(outside + u"/fifo"_s, file()));
            } else {
                QVERIFY(QFile::link(outside + u"/nothing"_s, file()));
            }
        } else if (situation == u"read-only damaged"_s) {
            QFile::remove(file() + u"-wal"_s);
            QFile::remove(file() + u"-shm"_s);
            QFile damaged(file());
            QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(QByteArray("not a history\n").repeated(100));
            damaged.close();
            QProcess::execute(u"chmod"_s, {u"0555"_s, folder()});
            QProcess::execute(u"chmod"_s, {u"0444"_s, file()});
        } else if (situation == u"read-only folder"_s) {
            QFile::remove(file());
            QProcess::execute(u"chmod"_s, {u"0555"_s, folder()});
        } else if (situation == u"read-only file"_s) {
            {
                Inspect db(file());
                db.exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
            }
            QProcess::execute(u"chmod"_s, {u"0555"_s, folder()});
            QProcess::execute(u"chmod"_s, {u"0444"_s, file()});
        } else if (situation == u"newer"_s) {
            QVERIFY(Inspect(file()).exec(u"PRAGMA user_version = 99"_s));
        }

        // Root writes where it likes: the read-only cases run as nobody.
        const Run run = record(folder(), 1, situation.startsWith(u"read-only"_s));
        QCOMPARE(run.status, 2);
        QCOMPARE(run.stderrLines.size(), 1);
        QVERIFY(run.stderrLines[0].startsWith(u"piyo: answer history off for this run: "_s));
        holder.reset();
        if (situation == u"read-only damaged"_s) {
            QVERIFY2(run.stderrLines[0].contains(u"cannot be moved aside"_s), qPrintable(run.stderrLines[0]));
            QVERIFY(QDir(folder()).entryList({u"*damaged*"_s}).isEmpty());
            return;
        }
        if (QDir(outside).exists()) { // nothing made beside what the link points to
            QVERIFY(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size() <=
                    1);
            return;
        }
        if (QFile::exists(file()))
            QCOMPARE(Inspect(file()).value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 1);
        QVERIFY(QDir(folder()).entryList({u"*damaged*"_s}).isEmpty());
    }

    // Another program holding the write lock for a while only delays the answers: every
    // one judged meanwhile is written once the lock is free, and the history stays on.
    void answersWaitForALockHeldElsewhere()
    {
        QCOMPARE(record(folder(), 1).status, 0);
        auto holder = std::make_unique<Inspect>(file());
        QVERIFY(holder->exec(u"BEGIN EXCLUSIVE"_s));
        QProcess* recorder = startRecorder(folder(), 5);
        // Held past the busy timeout, so the answers wait in memory and are tried again.
        QTest::qWait(HistoryWriter::BusyTimeoutMs + HistoryWriter::RetryMs);
        QVERIFY(holder->exec(u"ROLLBACK"_s));
        holder.reset();
        const Run run = finish(recorder);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.stderrLines.isEmpty(), qPrintable(run.stderrLines.join(u'\n')));
        QCOMPARE(Inspect(file()).value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 6);
    }

    // A file at the current version without its tables names the missing one, is kept
    // aside as damaged, and a new history takes the answers.
    void missingTableIsNamed()
    {
        QCOMPARE(record(folder(), 1).status, 0);
        QVERIFY(Inspect(file()).exec(u"DROP TABLE answers"_s));
        const Run run = record(folder(), 2);
        QCOMPARE(run.status, 0);
        QVERIFY2(!run.stderrLines.isEmpty() &&
                     run.stderrLines.join(u' ').contains(u"no such table: answers"_s),
                 qPrintable(run.stderrLines.join(u'\n')));
        QVERIFY(!QDir(folder()).entryList({u"history.sqlite.damaged-*"_s}).isEmpty());
        QCOMPARE(Inspect(file()).value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 2);
    }

    void oldFileIsBroughtUpToDate()
    {
        QDir().mkpath(folder());
        {
            Inspect db(file());
            QVERIFY(db.exec(u"CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL,"
                            " season TEXT NOT NULL, shown INTEGER NOT NULL, answered INTEGER NOT NULL,"
                            " is_right INTEGER NOT NULL, elapsed_ms INTEGER NOT NULL)"_s));
            QVERIFY(
                db.exec(u"INSERT INTO answers VALUES (1, '2025-01-01T00:00:00.000Z', 'autumn-winter', 61, 45,"
                        " 0, 3000)"_s));
            QVERIFY(db.exec(u"PRAGMA user_version = 1"_s));
        }
        QCOMPARE(record(folder(), 1).status, 0);
        Inspect db(file());
        QCOMPARE(db.value(u"PRAGMA user_version"_s).toInt(), history::database::SchemaVersion);
        QCOMPARE(db.value(u"SELECT mode || shown || answered FROM answers WHERE id = 1"_s).toString(),
                 u"picture6145"_s);
        QCOMPARE(db.value(u"SELECT COUNT(*) FROM answers"_s).toInt(), 2);

        // The answers of the old file count in the results, with what they were taken for.
        SqliteHistory history(folder());
        QObject context;
        history::Results results;
        bool arrived = false;
        history.results(Season::AutumnWinter, QDateTime::currentDateTimeUtc(), &context,
                        [&](const history::Results& r) {
                            results = r;
                            arrived = true;
                        });
        QTRY_VERIFY(arrived);
        const auto bird61 =
            std::find_if(results.begin(), results.end(), [](const auto& r) { return r.bird == 61; });
        QVERIFY(bird61 != results.end());
        QVERIFY(bird61->asked >= 1);
        QVERIFY(!bird61->takenFor.empty());
        QCOMPARE(bird61->takenFor.front().first, 45);

        // What an old file showed was each bird's own picture and call.
        history::ExemplarsUsed used;
        history.exemplarsUsed(Season::AutumnWinter, &context,
                              [&](const history::ExemplarsUsed& u) { used = u; });
        QTRY_VERIFY(used.has_value());
        QCOMPARE(int(used->size()), 2);
        for (const history::ExemplarUse& use : *used)
            QVERIFY(use.bird == 61 && use.exemplar == 1 && use.times >= 1);
    }

    // The quiz shows the picture and recording not seen for longest: the history
    // keeps, for each, when it was shown last, whatever order two piyo wrote in.
    void eachPictureAndRecordingIsKnownByWhenItWasShownLast()
    {
        const QDateTime start = QDateTime(QDate(2026, 5, 1), QTime(6, 0), Qt::UTC);
        history::ExemplarsUsed used;
        {
            SqliteHistory history(folder());
            const std::vector<std::pair<int, int>> shown{{1, 2}, {3, 1}, {1, 2}, {2, 1}}; // picture, call
            for (int i = int(shown.size()) - 1; i >= 0; --i) {
                history::Answer a = answer(5, 5, start.addSecs(60 * i));
                a.pictureExemplar = shown[std::size_t(i)].first;
                a.callExemplar = shown[std::size_t(i)].second;
                history.record(a);
            }
            QObject context;
            history.exemplarsUsed(Season::SpringSummer, &context,
                                  [&](const history::ExemplarsUsed& u) { used = u; });
            QTRY_VERIFY(used.has_value());
        }
        QStringList found;
        for (const history::ExemplarUse& use : *used)
            found << u"%1 %2-%3 ×%4 at %5"_s.arg(use.call ? u"call"_s : u"picture"_s)
                         .arg(use.bird)
                         .arg(use.exemplar)
                         .arg(use.times)
                         .arg(start.secsTo(use.lastAt) / 60);
        found.sort();
        QCOMPARE(found, (QStringList{u"call 5-1 ×2 at 3"_s, u"call 5-2 ×2 at 2"_s, u"picture 5-1 ×2 at 2"_s,
                                     u"picture 5-2 ×1 at 3"_s, u"picture 5-3 ×1 at 1"_s}));
        Inspect db(file());
        QCOMPARE(db.value(u"SELECT group_concat(picture_exemplar || call_exemplar, ' ') FROM"
                          " (SELECT * FROM answers ORDER BY answered_at)"_s)
                     .toString(),
                 u"12 31 12 21"_s);
    }
};

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"
