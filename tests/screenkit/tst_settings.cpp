#include "FakeClock.h"
#include "Form.h"
#include "FormLabel.h"
#include "QuizLayout.h"
#include "RecordingPlayer.h"
#include "Screen.h"
#include "ScreenSet.h"
#include "ScriptedRandom.h"
#include "Settings.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Set in a copy of this executable started to read a conf: it reads the conf
// at this path, says what it found, changes every setting and waits for the write.
constexpr char ProbeVariable[] = "PIYO_SETTINGS_PROBE";

int probe(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Settings settings(qEnvironmentVariable(ProbeVariable));
    QTextStream out(stdout);
    out << settings.stored() << ' ' << settings.scale() << ' ' << settings.byEar() << ' '
        << settings.weakFirst() << Qt::endl;
    settings.setScale(2.25);
    settings.setByEar(!settings.byEar());
    settings.setWeakFirst(!settings.weakFirst());
    out << settings.flush(5000) << Qt::endl;
    return 0;
}

// What a conf folder can hold when the program starts.
enum class Conf {
    None,              // first start: not even the folder
    Normal,            // written by an earlier run
    LockDirectory,     // a directory where the lock goes
    OldLockDirectory,  // the same, left long ago
    ForeignLock,       // a fresh lock written on another machine sharing the home
    OldForeignLock,    // the same, long ago: that machine is gone
    LockLeftHere,      // a lock left by a run on this machine that was killed
    LockHeldByProgram, // another program on this machine is writing the conf now
    Fifo,              // a named pipe in the conf's place: opening it would wait for a writer
    Huge,              // a 50 MB value: not ours, and not to be read on the window's thread
    Directory,         // a directory in the conf's place
};

const QByteArray NormalConf = "[quiz]\nbyEar=true\nweakFirst=false\n\n[window]\nscale=1.5\n";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

void makeOld(const QString& path)
{
    const timeval hourAgo{time(nullptr) - 3600, 0};
    const timeval times[2]{hourAgo, hourAgo};
    QCOMPARE(::utimes(QFile::encodeName(path).constData(), times), 0);
}

// Lays out the conf folder as a desktop might have left it. The lock held by a
// running program is returned: it is held for as long as the caller keeps it.
std::unique_ptr<QLockFile> lay(Conf conf, const QString& path)
{
    const QString lock = path + u".lock"_s;
    if (conf == Conf::None)
        return {};
    QDir().mkpath(QFileInfo(path).absolutePath());
    switch (conf) {
    case Conf::Fifo:
        [&] { QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); }();
        return {};
    case Conf::Directory:
        QDir().mkpath(path);
        return {};
    case Conf::Huge:
        writeFile(path, NormalConf + "[notes]\ntext=" + QByteArray(50 * 1024 * 1024, 'x') + '\n');
        return {};
    default:
        writeFile(path, NormalConf);
    }
    // A lock file as QLockFile writes it: pid, program name, host name.
    auto lockFrom = [&](qint64 pid, const QString& host) {
        writeFile(lock, QByteArray::number(pid) + "\npiyo\n" + host.toUtf8() + '\n');
    };
    switch (conf) {
    case Conf::LockDirectory:
    case Conf::OldLockDirectory:
        QDir().mkpath(lock);
        if (conf == Conf::OldLockDirectory)
            makeOld(lock);
        break;
    case Conf::ForeignLock:
    case Conf::OldForeignLock:
        lockFrom(4242, u"another-machine.example"_s);
        if (conf == Conf::OldForeignLock)
            makeOld(lock);
        break;
    case Conf::LockLeftHere:
        lockFrom(999999999, QSysInfo::machineHostName()); // no such process
        break;
    case Conf::LockHeldByProgram: {
        auto held = std::make_unique<QLockFile>(lock);
        [&] { QVERIFY(held->tryLock(0)); }();
        return held;
    }
    default:
        break;
    }
    return {};
}

// The folder as it is: every entry's name, kind, size, time and, for a file,
// its contents' hash. Nothing is opened that is not a regular file.
QStringList snapshot(const QString& folder)
{
    QStringList entries;
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos) {
        struct stat st
        {
        };
        if (::lstat(QFile::encodeName(info.filePath()).constData(), &st) != 0)
            continue;
        QByteArray hash;
        if (S_ISREG(st.st_mode)) {
            QFile file(info.filePath());
            QCryptographicHash sum(QCryptographicHash::Sha256);
            if (file.open(QIODevice::ReadOnly) && sum.addData(&file))
                hash = sum.result().toHex();
        }
        entries << u"%1 mode %2 size %3 time %4.%5 %6"_s.arg(info.fileName())
                       .arg(st.st_mode, 0, 8)
                       .arg(qint64(st.st_size))
                       .arg(qint64(st.st_mtim.tv_sec))
                       .arg(qint64(st.st_mtim.tv_nsec))
                       .arg(QString::fromLatin1(hash));
    }
    return entries;
}

// Ends the run, naming the step, when that step has not returned in time: a
// read that waits on the conf would otherwise stall the whole suite silently.
class Deadline
{
public:
    Deadline(const char* what, std::chrono::seconds limit)
        : m_thread([this, what, limit] {
              std::unique_lock lock(m_mutex);
              if (!m_changed.wait_for(lock, limit, [this] { return m_done; })) {
                  std::fprintf(stderr, "FATAL: %s did not return within %llds\n", what,
                               static_cast<long long>(limit.count()));
                  std::abort();
              }
          })
    {}
    ~Deadline()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_done = false;
    std::thread m_thread;
};

void addBadConfRows()
{
    QTest::addColumn<Conf>("conf");
    QTest::newRow("the lock is a directory") << Conf::LockDirectory;
    QTest::newRow("a fresh lock from another machine") << Conf::ForeignLock;
    QTest::newRow("the conf is a fifo") << Conf::Fifo;
    QTest::newRow("a 50 MB conf") << Conf::Huge;
    QTest::newRow("the conf is a directory") << Conf::Directory;
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyConfIsReadOrLeftAlone_data()
    {
        QTest::addColumn<Conf>("conf");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("byEar");
        QTest::addColumn<bool>("weakFirst");
        QTest::newRow("no conf: the defaults, written once changed")
            << Conf::None << true << 1.0 << false << false;
        QTest::newRow("a conf from an earlier run") << Conf::Normal << true << 1.5 << true << false;
        QTest::newRow("the lock is a directory") << Conf::LockDirectory << false << 1.0 << false << false;
        QTest::newRow("the lock is a directory left long ago")
            << Conf::OldLockDirectory << false << 1.0 << false << false;
        QTest::newRow("a fresh lock from another machine")
            << Conf::ForeignLock << false << 1.0 << false << false;
        QTest::newRow("an hour-old lock from another machine")
            << Conf::OldForeignLock << true << 1.5 << true << false;
        QTest::newRow("a lock left by a killed run here")
            << Conf::LockLeftHere << true << 1.5 << true << false;
        QTest::newRow("a lock held by a running program")
            << Conf::LockHeldByProgram << false << 1.0 << false << false;
        QTest::newRow("the conf is a fifo") << Conf::Fifo << false << 1.0 << false << false;
        QTest::newRow("a 50 MB conf") << Conf::Huge << false << 1.0 << false << false;
        QTest::newRow("the conf is a directory") << Conf::Directory << false << 1.0 << false << false;
    }
    // A conf that cannot be used costs the user nothing but this run's
    // changes: the defaults hold, one line says why, and the file (which may
    // be another program's, or the user's to repair) is never written over.
    // A usable one is read, and what is changed is there at the next start.
    void everyConfIsReadOrLeftAlone()
    {
        QFETCH(Conf, conf);
        QFETCH(bool, usable);
        QTemporaryDir home;
        const QString folder = home.filePath(u"piyo"_s);
        const QString path = folder + u"/piyo.conf"_s;
        const std::unique_ptr<QLockFile> held = lay(conf, path);
        if (QTest::currentTestFailed())
            return;
        const QStringList before = snapshot(folder);

        // Read in a process of its own: one that waits on the conf is ended
        // and fails this row, rather than stalling the suite.
        QProcess reader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(ProbeVariable), path);
        reader.setProcessEnvironment(environment);
        reader.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY2(reader.waitForStarted(5000), qPrintable(reader.errorString()));
        if (!reader.waitForFinished(10000)) {
            reader.kill();
            reader.waitForFinished(5000);
            QFAIL("reading the settings had not returned after 10 s: it waits on the conf");
        }
        QCOMPARE(reader.exitStatus(), QProcess::NormalExit);
        QCOMPARE(reader.exitCode(), 0);
        const QStringList said =
            QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        const QString stderrText = QString::fromUtf8(reader.readAllStandardError());
        QCOMPARE(said.size(), 2);
        const QStringList read = said.at(0).split(u' ');
        QCOMPARE(read.size(), 4);
        QCOMPARE(read.at(0) == u"1"_s, usable); // stored()
        QTEST(read.at(1).toDouble(), "scale");
        QTEST(read.at(2) == u"1"_s, "byEar");
        QTEST(read.at(3) == u"1"_s, "weakFirst");
        QCOMPARE(said.at(1), u"1"_s); // flush() returned in time

        const QStringList lines = stderrText.split(u'\n', Qt::SkipEmptyParts);
        if (usable) {
            QVERIFY2(lines.isEmpty(), qPrintable(stderrText));
            QVERIFY(!QFileInfo::exists(path + u".lock"_s)); // no lock left to shut out the next start
            const Settings next(path);
            QVERIFY(next.stored());
            QCOMPARE(next.scale(), 2.25);
            QCOMPARE(next.byEar(), read.at(2) != u"1"_s);
            QCOMPARE(next.weakFirst(), read.at(3) != u"1"_s);
        } else {
            QVERIFY2(lines.size() == 1, qPrintable(stderrText));
            QVERIFY2(lines.at(0).startsWith(u"piyo: "_s) && lines.at(0).contains(path),
                     qPrintable(lines.at(0)));
            QCOMPARE(snapshot(folder), before);
        }
    }

    // Dragging the window's frame changes the scale many times a second;
    // what is on disk afterwards is where the drag ended, whatever the writes
    // in between were.
    void lastOfManyQuickChangesIsStored()
    {
        QTemporaryDir home;
        const QString path = home.filePath(u"piyo/piyo.conf"_s);
        double last = 0; // where the drag ends
        {
            Settings settings(path);
            for (int step = 1; step < 400; ++step) { // up, back to the design size, up again
                last = 1.0 + (step % 200) * 0.01;
                settings.setScale(last);
                if (step == 150)
                    settings.setByEar(true);
            }
            QVERIFY(settings.flush(5000));
            QCOMPARE(Settings(path).scale(), last);
            settings.setScale(2.5); // and the last change before the program ends
        }
        const Settings next(path);
        QCOMPARE(next.scale(), 2.5);
        QVERIFY(next.byEar());
    }

    void badConfLeavesEveryScreenWorking_data() { addBadConfRows(); }
    // With a conf that cannot be used the program still starts: the menu is
    // shown, a quiz opens, its toggles work for the run, and the window's
    // thread keeps turning.
    void badConfLeavesEveryScreenWorking()
    {
        QFETCH(Conf, conf);
        QTemporaryDir home;
        const QString folder = home.filePath(u"piyo"_s);
        const QString path = folder + u"/piyo.conf"_s;
        const std::unique_ptr<QLockFile> held = lay(conf, path);
        if (QTest::currentTestFailed())
            return;
        const QStringList before = snapshot(folder);
        std::unique_ptr<Settings> settings;
        {
            const Deadline deadline("reading the settings", std::chrono::seconds(10));
            settings = std::make_unique<Settings>(path);
        }
        QVERIFY(!settings->stored());
        FakeClock clock;
        ScriptedRandom random;
        ScreenSet screens({clock, random, RecordingPlayer::factory(), nullptr, settings.get()});
        {
            const Deadline deadline("showing the menu and a quiz", std::chrono::seconds(20));
            screens.show(ScreenId::Menu);
            QVERIFY(QTest::qWaitForWindowExposed(screens.openScreen()->form(), 5000));
            screens.switchScreen(ScreenId::Menu, ScreenId::SpringSummerQuiz);
            Form* quizWindow = screens.openScreen()->form();
            QVERIFY(QTest::qWaitForWindowExposed(quizWindow, 5000));
            FormLabel* byEar = quizWindow->label(quiz::ByEar);
            QCOMPARE(byEar->text(), quiz::ByEarOff);
            QTest::mouseClick(byEar, Qt::LeftButton);
            QCOMPARE(byEar->text(), quiz::ByEarOn); // kept for the run
            QVERIFY(settings->byEar());
            bool turned = false;
            QTimer::singleShot(0, quizWindow, [&turned] { turned = true; });
            QTRY_VERIFY_WITH_TIMEOUT(turned, 5000);
            screens.switchScreen(ScreenId::SpringSummerQuiz, ScreenId::Menu);
            QVERIFY(QTest::qWaitForWindowExposed(screens.openScreen()->form(), 5000));
        }
        QVERIFY(settings->flush(5000));
        QCOMPARE(snapshot(folder), before);
    }

    void realProgramRunsWithABadConf_data() { addBadConfRows(); }
    // The program itself, with the bad conf where it looks for its own: it
    // says so once and keeps running.
    void realProgramRunsWithABadConf()
    {
        QFETCH(Conf, conf);
        QTemporaryDir home;
        const QString folder = home.filePath(u"config/piyo"_s);
        const QString path = folder + u"/piyo.conf"_s;
        const std::unique_ptr<QLockFile> held = lay(conf, path);
        if (QTest::currentTestFailed())
            return;
        const QStringList before = snapshot(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"HOME"_s, home.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
        environment.insert(u"XDG_CACHE_HOME"_s, home.filePath(u"cache"_s));
        environment.insert(u"XDG_STATE_HOME"_s, home.filePath(u"state"_s));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(home.path());
        program.start(QStringLiteral(PIYO_PROGRAM), {});
        QVERIFY2(program.waitForStarted(5000), qPrintable(program.errorString()));
        QByteArray stderrBytes;
        auto settingsLines = [&] {
            stderrBytes += program.readAllStandardError();
            QStringList lines;
            for (const QString& line : QString::fromUtf8(stderrBytes).split(u'\n'))
                if (line.startsWith(u"piyo: settings"_s))
                    lines << line;
            return lines;
        };
        const bool ended = program.waitForFinished(2000);
        if (ended)
            QFAIL(qPrintable(u"piyo ended with status %1 within 2 s:\n%2"_s.arg(program.exitCode())
                                 .arg(QString::fromUtf8(stderrBytes + program.readAllStandardError()))));
        QTRY_VERIFY_WITH_TIMEOUT(!settingsLines().isEmpty(), 10000);
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        QVERIFY(program.waitForFinished(5000));
        const QStringList lines = settingsLines();
        QVERIFY2(lines.size() == 1, qPrintable(lines.join(u'\n')));
        QVERIFY2(lines.at(0).contains(path), qPrintable(lines.at(0)));
        QCOMPARE(snapshot(folder), before);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(ProbeVariable))
        return probe(argc, argv);
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    SettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
