#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// The readers under test take a path, as the screens give them one: each input
// is written to the same scratch file (in memory where /dev/shm exists) with
// the suffix the media file would have.
class FuzzInput
{
public:
    explicit FuzzInput(const char* suffix)
    {
        const QString dir =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray pattern = QDir(dir).filePath(QStringLiteral("piyo-fuzz-XXXXXX")).toLocal8Bit() + suffix;
        m_fd = mkstemps(pattern.data(), int(std::char_traits<char>::length(suffix)));
        if (m_fd < 0) {
            std::perror("mkstemps");
            std::abort();
        }
        m_path = QString::fromLocal8Bit(pattern);
        m_localPath = pattern;
    }
    ~FuzzInput()
    {
        close(m_fd);
        unlink(m_localPath.constData());
    }
    FuzzInput(const FuzzInput&) = delete;
    FuzzInput& operator=(const FuzzInput&) = delete;

    const QString& write(const uint8_t* data, size_t size)
    {
        if (ftruncate(m_fd, 0) != 0 || pwrite(m_fd, data, size, 0) != ssize_t(size)) {
            std::perror("writing the fuzz input");
            std::abort();
        }
        return m_path;
    }

private:
    int m_fd = -1;
    QString m_path;
    QByteArray m_localPath;
};
