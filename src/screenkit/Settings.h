#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <memory>

// The user's settings, every key named once: read from piyo.conf when the
// program starts and kept in memory; each change is written by a worker, so
// the window's thread never opens, locks or syncs the file. A conf that cannot
// be used as it is (not a regular file, far too large, unreadable, or locked by
// someone else at start) gives the defaults for the run, one line on stderr and
// is never written over.
class Settings final : public QObject
{
    Q_OBJECT
public:
    struct Values
    {
        double scale = 1.0;     // the windows' size as a factor of their design size
        bool byEar = false;     // 声だけ: one setting for both season sets
        bool weakFirst = false; // 苦手優先: likewise, the wish is the user's
        bool review = false;    // 復習: the birds about to be forgotten first
    };

    // Reads the conf under $XDG_CONFIG_HOME (or ~/.config), or the one at path.
    explicit Settings(QObject* parent = nullptr);
    explicit Settings(const QString& path, QObject* parent = nullptr);
    // Waits a moment for the last write: the program is ending.
    ~Settings() override;

    // Settings that live only in memory: nothing is read or written.
    static std::unique_ptr<Settings> inMemory();

    const Values& values() const { return m_values; }
    double scale() const { return m_values.scale; }
    bool byEar() const { return m_values.byEar; }
    bool weakFirst() const { return m_values.weakFirst; }
    bool review() const { return m_values.review; }

    void setScale(double factor);
    void setByEar(bool on);
    void setWeakFirst(bool on);
    void setReview(bool on);

    // Whether changes reach the file (false for the run after a conf that could not be used).
    bool stored() const { return m_writable; }
    // Waits, at most timeoutMs, for the writes handed over so far.
    bool flush(int timeoutMs = 2000);

    static QString defaultPath();

private:
    struct Pending;
    Settings(QObject* parent, std::nullptr_t);
    void read();
    void write();

    QString m_path;
    Values m_values;
    bool m_writable = false;
    std::shared_ptr<Pending> m_pending;
    QThreadPool m_writer;
};
