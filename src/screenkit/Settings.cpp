#include "Settings.h"

#include "FormScale.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString ScaleKey = u"window/scale"_s;
const QString ByEarKey = u"quiz/byEar"_s;
const QString WeakFirstKey = u"quiz/weakFirst"_s;
const QString ReviewKey = u"quiz/review"_s;

// The conf holds three short lines; anything near this size is not one of ours.
constexpr qint64 MaxConfBytes = qint64{64} * 1024;

void say(const QString& line)
{
    QTextStream(stderr) << "piyo: " << line << '\n';
}

// Why the conf at path cannot be used as it is; empty when it can (or is not there yet).
QString unusable(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) // a link (a dotfile manager's) is followed
        return errno == ENOENT ? QString() : u"cannot look at it"_s;
    if (!S_ISREG(info.st_mode))
        return u"it is not a regular file"_s;
    if (info.st_size > MaxConfBytes)
        return u"it is %1 bytes, far more than settings take"_s.arg(qint64(info.st_size));
    if (::access(QFile::encodeName(path).constData(), R_OK) != 0)
        return u"it cannot be read"_s;
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return {}; // read, and left as it is (see read())
    // Whoever holds the lock is writing it now, or left it from another
    // machine; waiting for either could take long.
    QLockFile lock(path + u".lock"_s);
    if (!lock.tryLock(0))
        return u"its lock %1.lock is held or cannot be taken"_s.arg(path);
    return {};
}

} // namespace

struct Settings::Pending
{
    QMutex mutex;
    Values latest;
    bool queued = false;
};

Settings::Settings(QObject* parent, std::nullptr_t) : QObject(parent), m_pending(std::make_shared<Pending>())
{
    m_writer.setMaxThreadCount(1); // writes one after another, the latest last
}

Settings::Settings(QObject* parent) : Settings(defaultPath(), parent) {}

Settings::Settings(const QString& path, QObject* parent) : Settings(parent, nullptr)
{
    m_path = path;
    read();
}

Settings::~Settings()
{
    flush();
}

std::unique_ptr<Settings> Settings::inMemory()
{
    return std::unique_ptr<Settings>(new Settings(nullptr, nullptr));
}

QString Settings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/piyo/piyo.conf"_s;
}

void Settings::read()
{
    if (const QString why = unusable(m_path); !why.isEmpty()) {
        say(u"settings in %1 are not used (%2): the defaults hold for this run and nothing is written there"_s
                .arg(QDir::toNativeSeparators(m_path), why));
        return;
    }
    QSettings conf(m_path, QSettings::IniFormat);
    if (conf.status() != QSettings::NoError) {
        say(u"settings in %1 cannot be read: the defaults hold for this run and nothing is written there"_s
                .arg(QDir::toNativeSeparators(m_path)));
        return;
    }
    bool ok = false;
    const double scale = conf.value(ScaleKey, formscale::Smallest).toDouble(&ok);
    m_values.scale = ok ? formscale::clamped(scale) : formscale::Smallest;
    m_values.byEar = conf.value(ByEarKey, false).toBool();
    m_values.weakFirst = conf.value(WeakFirstKey, false).toBool();
    m_values.review = conf.value(ReviewKey, false).toBool();
    // A conf the user made read-only is theirs to keep: its values hold, and
    // changes last for the run.
    m_writable = ::access(QFile::encodeName(m_path).constData(), F_OK) != 0 ||
                 ::access(QFile::encodeName(m_path).constData(), W_OK) == 0;
    if (!m_writable)
        say(u"settings in %1 cannot be written: changes last for this run"_s.arg(
            QDir::toNativeSeparators(m_path)));
}

void Settings::setScale(double factor)
{
    const double clamped = formscale::clamped(factor);
    if (clamped == m_values.scale)
        return;
    m_values.scale = clamped;
    write();
}

void Settings::setByEar(bool on)
{
    if (on == m_values.byEar)
        return;
    m_values.byEar = on;
    write();
}

void Settings::setWeakFirst(bool on)
{
    if (on == m_values.weakFirst)
        return;
    m_values.weakFirst = on;
    write();
}

void Settings::setReview(bool on)
{
    if (on == m_values.review)
        return;
    m_values.review = on;
    write();
}

// Changes that come faster than the disk (a frame dragged) fold into one
// write of the latest values.
void Settings::write()
{
    if (!m_writable)
        return;
    {
        QMutexLocker locked(&m_pending->mutex);
        m_pending->latest = m_values;
        if (m_pending->queued)
            return;
        m_pending->queued = true;
    }
    m_writer.start([pending = m_pending, path = m_path] {
        Values values;
        {
            QMutexLocker locked(&pending->mutex);
            values = pending->latest;
            pending->queued = false;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSettings conf(path, QSettings::IniFormat);
        conf.setValue(ScaleKey, values.scale);
        conf.setValue(ByEarKey, values.byEar);
        conf.setValue(WeakFirstKey, values.weakFirst);
        conf.setValue(ReviewKey, values.review);
        conf.sync();
        if (conf.status() != QSettings::NoError)
            say(u"settings could not be written to %1"_s.arg(QDir::toNativeSeparators(path)));
    });
}

bool Settings::flush(int timeoutMs)
{
    return m_writer.waitForDone(timeoutMs);
}
