#include "BadMedia.h"

#include "GifWriter.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <sndfile.h>

#include <cerrno>
#include <cmath>
#include <iconv.h>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace badmedia {
namespace {

void putLe16(QByteArray& bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

} // namespace

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

QByteArray craftedGif(QSize screen, QSize frame)
{
    QByteArray gif("GIF89a");
    putLe16(gif, screen.width());
    putLe16(gif, screen.height());
    gif.append(char(0x80)); // global palette of 2 colours
    gif.append(char(0));
    gif.append(char(0));
    gif.append(QByteArray::fromHex("000000ffffff"));
    gif.append(char(0x2c)); // image descriptor
    putLe16(gif, 0);
    putLe16(gif, 0);
    putLe16(gif, frame.width());
    putLe16(gif, frame.height());
    gif.append(char(0));
    gif.append(char(2)); // LZW minimum code size
    const QByteArray data = QByteArray::fromHex("8c2d99872a1c0d9e");
    gif.append(char(data.size()));
    gif.append(data);
    gif.append(char(0));
    gif.append(char(0x3b));
    return gif;
}

QByteArray noiseGif(int side)
{
    QImage image(side, side, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette << qRgb(i, (i * 7) % 256, 255 - i);
    image.setColorTable(palette);
    QRandomGenerator random(side);
    for (int y = 0; y < side; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < side; ++x)
            line[x] = uchar(random.bounded(256));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"noise.gif"_s);
    writeGif87a(image.convertToFormat(QImage::Format_RGB32), path);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray png()
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray sound(int sndfileFormat, int rate, int channels, double seconds)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(u"sound"_s));
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = sndfileFormat;
    SNDFILE* file = sf_open(path.constData(), SFM_WRITE, &info);
    if (!file)
        return {};
    const sf_count_t frames = sf_count_t(seconds * rate);
    std::vector<float> block(std::size_t(4096 * channels));
    for (sf_count_t done = 0; done < frames;) {
        const sf_count_t n = std::min<sf_count_t>(4096, frames - done);
        for (sf_count_t f = 0; f < n; ++f)
            for (int c = 0; c < channels; ++c)
                block[std::size_t(f * channels + c)] =
                    0.4f * float(std::sin(2 * std::numbers::pi * 440.0 * double(done + f) / rate));
        sf_writef_float(file, block.data(), n);
        done += n;
    }
    sf_close(file);
    QFile written(QFile::decodeName(path));
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
}

QByteArray fakeMp3()
{
    QByteArray mp3 = QByteArray::fromHex("49443304000000000000"); // "ID3", v2.4, empty tag
    for (int frame = 0; frame < 40; ++frame) {
        mp3.append(QByteArray::fromHex("fffb9064")); // MPEG-1 layer III, 128 kbit/s, 44.1 kHz
        mp3.append(randomBytes(413, quint32(frame)));
    }
    return mp3;
}

QByteArray withRate(QByteArray wav, quint32 rate)
{
    QDataStream patch(&wav, QIODevice::ReadWrite);
    patch.setByteOrder(QDataStream::LittleEndian);
    patch.device()->seek(32);
    quint16 blockAlign = 0;
    patch >> blockAlign;
    patch.device()->seek(24);
    patch << rate << quint32(quint64(rate) * blockAlign);
    return wav;
}

QByteArray toCp932(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t converter = iconv_open("CP932", "UTF-8");
    QByteArray out(utf8.size() * 2 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    out.resize(out.size() - qsizetype(outLeft));
    return out;
}

QByteArray description()
{
    return toCp932(u"アオアシシギ（青足鷸）\r\n"_s
                   u"全長35cm。足が青みがかった緑色をしている。\r\n"
                   u"\r\n"
                   u"干潟や水田で見られる旅鳥で、「チョーチョーチョー」と鳴く。\r\n"_s);
}

QByteArray manyLines(int lines)
{
    const QByteArray body = toCp932(u"干潟の鳥についての長い説明文の一行です。"_s);
    QByteArray text;
    text.reserve(lines * (body.size() + 10));
    for (int i = 1; i <= lines; ++i)
        text += QByteArray::number(i) + ' ' + body + "\r\n";
    return text;
}

QByteArray oneLongLine(qsizetype bytes)
{
    const QByteArray chunk = toCp932(u"ピヨピヨチョーチョー"_s);
    QByteArray text;
    text.reserve(bytes);
    while (text.size() + chunk.size() <= bytes)
        text += chunk;
    return text;
}

QByteArray utf16Text()
{
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encoder(u"アオアシシギ\r\n全長35cm。\r\n"_s);
}

} // namespace badmedia
