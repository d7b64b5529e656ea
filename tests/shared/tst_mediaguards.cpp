// The small guards the media readers and tools put between a hostile file and
// the user: names escaped before they reach a terminal, a JPEG cut short told
// from a whole one, and files read no further than their limit.

#include "MediaFile.h"
#include "PictureLoader.h"
#include "PrintableText.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray jpeg(QSize size, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QByteArray bigEndian16(int value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian(quint16(value), bytes.data());
    return bytes;
}

QByteArray littleEndian(quint32 value, int size)
{
    QByteArray bytes(size, '\0');
    if (size == 2)
        qToLittleEndian(quint16(value), bytes.data());
    else
        qToLittleEndian(value, bytes.data());
    return bytes;
}

// A camera's JPEG: an Exif block right after the start marker holding a
// thumbnail, a JPEG of its own with its own end marker.
QByteArray withThumbnail(const QByteArray& picture, const QByteArray& thumbnail)
{
    const auto entry = [](int tag, int type, quint32 value) {
        return littleEndian(quint32(tag), 2) + littleEndian(quint32(type), 2) + littleEndian(1, 4) +
               littleEndian(value, 4);
    };
    constexpr int Ifd0 = 8;
    const QByteArray ifd0 = littleEndian(0, 2); // no entries
    const int ifd1 = Ifd0 + int(ifd0.size()) + 4;
    const int thumbnailAt = ifd1 + 2 + 2 * 12 + 4;
    const QByteArray tiff = "II*"_ba + '\0' + littleEndian(Ifd0, 4) + ifd0 + littleEndian(quint32(ifd1), 4) +
                            littleEndian(2, 2) + entry(0x0201, 4, quint32(thumbnailAt)) +
                            entry(0x0202, 4, quint32(thumbnail.size())) + littleEndian(0, 4) + thumbnail;
    const QByteArray exif = "Exif"_ba + '\0' + '\0' + tiff;
    return picture.left(2) + "\xFF\xE1"_ba + bigEndian16(int(exif.size()) + 2) + exif + picture.mid(2);
}

// Where the last scan's coded data begins, past a thumbnail's: just after its header.
qsizetype codedDataStart(const QByteArray& jpeg)
{
    const qsizetype sos = jpeg.lastIndexOf("\xFF\xDA"_ba);
    return sos + 2 + qFromBigEndian<quint16>(jpeg.constData() + sos + 2);
}

QByteArray cutInCodedData(const QByteArray& jpeg)
{
    const qsizetype start = codedDataStart(jpeg);
    return jpeg.left(start + (jpeg.size() - start) / 2);
}

} // namespace

class MediaGuardsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A file name printed by piyo-import or piyo-check-media must not fake a
    // line of output, send the terminal a command or turn the line around.
    void printableEscapesWhatATerminalWouldObey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("printed");
        QTest::newRow("Japanese name left alone")
            << u"ダイゼン_2（夏羽）.jpg"_s << u"ダイゼン_2（夏羽）.jpg"_s;
        QTest::newRow("half-width katakana and ideographic space left alone")
            << u"ﾀﾞｲｾﾞﾝ\u3000①.jpg"_s << u"ﾀﾞｲｾﾞﾝ\u3000①.jpg"_s;
        QTest::newRow("character beyond the BMP left alone") << u"鳥🐦.png"_s << u"鳥🐦.png"_s;
        QTest::newRow("newline faking a line of output")
            << u"a.jpg\nb1.jpg → 姿/b1.png"_s << u"a.jpg\\nb1.jpg → 姿/b1.png"_s;
        QTest::newRow("carriage return and tab") << u"a\rb\tc"_s << u"a\\rb\\tc"_s;
        QTest::newRow("escape sequence")
            << u"\x1b[2J\x1b]0;title\x07.wav"_s << u"\\x1b[2J\\x1b]0;title\\x07.wav"_s;
        QTest::newRow("NUL and DEL") << QString(u"a\0b\x7f"_s) << u"a\\x00b\\x7f"_s;
        QTest::newRow("C1 controls: NEL and CSI") << u"a\u0085b\u009b31m"_s << u"a\\x85b\\x9b31m"_s;
        QTest::newRow("right-to-left override") << u"gpj.\u202eexe"_s << u"gpj.\\u202eexe"_s;
        QTest::newRow("isolates and marks")
            << u"\u2066a\u2069\u200e\u200f\u061c"_s << u"\\u2066a\\u2069\\u200e\\u200f\\u061c"_s;
        QTest::newRow("backslash doubled") << u"C:\\birds\\b1.jpg"_s << u"C:\\\\birds\\\\b1.jpg"_s;
        // Without doubling, the name "\n" (backslash, n) would print as a newline's escape.
        QTest::newRow("backslash before n reads back one way") << u"a\\nb"_s << u"a\\\\nb"_s;
        QTest::newRow("no-break space and soft hyphen left alone")
            << u"a\u00a0b\u00adc"_s << u"a\u00a0b\u00adc"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void printableEscapesWhatATerminalWouldObey()
    {
        QFETCH(QString, text);
        QFETCH(QString, printed);
        QCOMPARE(media::printable(text), printed);
    }

    // Qt decodes a JPEG cut short with its missing rows grey and no error, so the
    // end marker is what tells a whole photograph from a broken copy.
    void jpegEndMarker_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("complete");
        const QByteArray whole = jpeg(QSize(64, 48));
        const QByteArray progressive = jpeg(QSize(64, 48), true);
        const QByteArray thumbnail = jpeg(QSize(8, 8));
        const QByteArray camera = withThumbnail(whole, thumbnail);
        QVERIFY(whole.endsWith("\xFF\xD9"_ba) && progressive.endsWith("\xFF\xD9"_ba));

        QTest::newRow("whole baseline JPEG") << whole << true;
        QTest::newRow("whole progressive JPEG") << progressive << true;
        QTest::newRow("with data after the end marker") << whole + "trailer"_ba << true;
        QTest::newRow("cut in the coded data") << cutInCodedData(whole) << false;
        QTest::newRow("progressive, cut in a later scan")
            << progressive.left(progressive.size() - 20) << false;
        QTest::newRow("end marker missing") << whole.chopped(2) << false;
        QTest::newRow("last byte missing") << whole.chopped(1) << false;
        QTest::newRow("cut in the headers") << whole.left(codedDataStart(whole) - 4) << false;
        QTest::newRow("start marker only") << "\xFF\xD8"_ba << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not a JPEG") << "\x89PNG\r\n\x1a\n\xFF\xD9"_ba << false;
        QTest::newRow("with a thumbnail, whole") << camera << true;
        // The thumbnail's end marker comes before the photograph's data: it must
        // not pass for the end of a photograph cut short.
        QTest::newRow("with a thumbnail, photograph cut short") << cutInCodedData(camera) << false;
        QTest::newRow("with a thumbnail, cut right after it")
            << camera.left(camera.indexOf(thumbnail) + thumbnail.size()) << false;
        const QByteArray scanHeader = "\xFF\xDA"_ba + bigEndian16(8) + QByteArray(6, '\x01');
        // 0xFF 0x00 is a data byte and 0xFF 0xD0-D7 a restart marker, neither the end.
        const QByteArray coded = "\x12\xFF\x00\x34\xFF\xD0\x56\xFF\xFF\xD7\x78"_ba;
        QTest::newRow("stuffed bytes and restart markers, then the end")
            << "\xFF\xD8"_ba + scanHeader + coded + "\xFF\xD9"_ba << true;
        QTest::newRow("stuffed bytes and restart markers, no end")
            << "\xFF\xD8"_ba + scanHeader + coded << false;
        QTest::newRow("segment length past the end") << "\xFF\xD8\xFF\xE0\xFF\xF0\xFF\xD9"_ba << false;
        QTest::newRow("segment length below 2") << "\xFF\xD8\xFF\xE0\x00\x01\xFF\xD9"_ba << false;
    }
    void jpegEndMarker()
    {
        QFETCH(QByteArray, bytes);
        QTEST(jpegComplete(bytes), "complete");
    }

    // A picture is read whole up to its limit and cut there, whatever its size:
    // a file of a few bytes and one larger than the limit alike.
    void regularFileReadUpToItsLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::newRow("empty file") << 0 << 1024;
        QTest::newRow("a few bytes") << 5 << 1024;
        QTest::newRow("exactly the limit") << 1024 << 1024;
        QTest::newRow("one byte over") << 1025 << 1024;
        QTest::newRow("far over, larger than a read piece") << 300000 << 200000;
    }
    void regularFileReadUpToItsLimit()
    {
        QFETCH(int, size);
        QFETCH(int, limit);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"b1.jpg"_s));
        QByteArray content(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            content[i] = char(i * 31 % 251);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == size);
        file.close();
        const std::optional<QByteArray> read = media::readRegularFile(file.fileName(), limit);
        QVERIFY(read);
        QCOMPARE(*read, content.left(limit));
    }
};

QTEST_MAIN(MediaGuardsTest)
#include "tst_mediaguards.moc"
