#include "TestMedia.h"

#include "GifWriter.h"
#include "MediaPaths.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace testmedia {
namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QString numberText(int bird)
{
    return media::birdNumberText(bird);
}

} // namespace

QString root()
{
    return media::dataRoot();
}

void clear()
{
    for (const QString& dir :
         {media::pictureDirectoryName(), media::callDirectoryName(), media::descriptionDirectoryName()})
        QDir(root() + u'/' + dir).removeRecursively();
}

QSize pictureSize(int bird)
{
    return QSize(100 + bird, 60 + bird);
}

void writePicture(int bird)
{
    QImage image(pictureSize(bird), QImage::Format_RGB32);
    image.fill(QColor::fromHsv((bird * 37) % 360, 200, 220));
    const QString path = media::birdFilePath(root(), media::BirdFile::Picture, numberText(bird));
    QDir().mkpath(QFileInfo(path).path());
    writeGif87a(image, path);
}

void writeCall(int bird)
{
    writeFile(media::birdFilePath(root(), media::BirdFile::Call, numberText(bird)),
              toneWav(400.0 + 20.0 * bird, 0.3));
}

void writeDescription(int bird, const QByteArray& cp932)
{
    writeFile(media::birdFilePath(root(), media::BirdFile::Description, numberText(bird)), cp932);
}

void writeFeedback()
{
    QImage mark(199, 195, QImage::Format_RGB32);
    mark.fill(Qt::red);
    QDir().mkpath(root() + u'/' + media::pictureDirectoryName());
    writeGif87a(mark, media::feedbackFilePath(root(), media::FeedbackFile::RightPicture));
    mark.fill(Qt::blue);
    writeGif87a(mark, media::feedbackFilePath(root(), media::FeedbackFile::WrongPicture));
    writeFile(media::feedbackFilePath(root(), media::FeedbackFile::RightSound), toneWav(1200, 0.3));
    writeFile(media::feedbackFilePath(root(), media::FeedbackFile::WrongSound), toneWav(150, 0.3));
}

void writeAll()
{
    for (int bird = 1; bird <= 80; ++bird) {
        writePicture(bird);
        writeCall(bird);
        writeDescription(bird, "line 1\r\nline 2\r\n");
    }
    writeFeedback();
}

void remove(const QString& relativePath)
{
    const QString path = root() + u'/' + relativePath;
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

QByteArray toneWav(double hertz, double seconds, int rate)
{
    const int frames = int(seconds * rate);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataSize = quint32(frames * 2);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataSize;
    for (int i = 0; i < frames; ++i)
        out << qint16(std::lround(12000.0 * std::sin(2 * std::numbers::pi * hertz * i / rate)));
    return bytes;
}

} // namespace testmedia
