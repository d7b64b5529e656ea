#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Files made to hurt a reader, shared by the tools' tests.
namespace hostile {

// A WAV header declaring dataBytes of 16-bit sound, the file made that long but
// sparse: a few kilobytes on disk.
inline bool sparseWav(const QString& path, int channels, int rate, qint64 dataBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray header;
    auto u32 = [&](quint32 v) { header.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](quint16 v) { header.append(reinterpret_cast<const char*>(&v), 2); };
    header += "RIFF";
    u32(quint32(36 + dataBytes));
    header += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(quint16(channels));
    u32(quint32(rate));
    u32(quint32(rate * channels * 2));
    u16(quint16(channels * 2));
    u16(16);
    header += "data";
    u32(quint32(dataBytes));
    return file.write(header) == header.size() && file.resize(header.size() + dataBytes);
}

} // namespace hostile
