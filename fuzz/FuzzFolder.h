#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// Where a fuzzed tool writes what it makes: a scratch folder of its own (in
// memory where /dev/shm exists), emptied after each input so that one input's
// files never meet the next one's. Nothing is written anywhere else.
class FuzzFolder
{
public:
    FuzzFolder()
        : m_dir(
              QDir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
                  .filePath(QStringLiteral("piyo-fuzz-out-XXXXXX")))
    {
        if (!m_dir.isValid()) {
            std::fprintf(stderr, "cannot make a scratch folder: %s\n", qPrintable(m_dir.errorString()));
            std::abort();
        }
    }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    void clear() const
    {
        QDir dir(m_dir.path());
        const QStringList entries =
            dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            const QString path = dir.filePath(entry);
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                QDir(path).removeRecursively();
            else
                dir.remove(entry);
        }
    }

private:
    QTemporaryDir m_dir;
};
