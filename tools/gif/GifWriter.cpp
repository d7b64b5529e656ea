#include "GifWriter.h"

#include <QFile>
#include <QHash>

#include <gif_lib.h>

#include <memory>
#include <vector>

namespace {

constexpr int PaletteSize = 256;

struct Indexed
{
    std::vector<GifColorType> palette;
    std::vector<GifByteType> pixels;
};

// Exact palette when the image has few colours: flat artwork keeps its colours.
bool indexExactly(const QImage& image, Indexed& out)
{
    QHash<QRgb, int> slots;
    out.pixels.resize(std::size_t(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = line[x] & RGB_MASK;
            auto found = slots.constFind(colour);
            if (found == slots.constEnd()) {
                if (slots.size() == PaletteSize)
                    return false;
                found = slots.insert(colour, int(slots.size()));
                out.palette.push_back(
                    {GifByteType(qRed(colour)), GifByteType(qGreen(colour)), GifByteType(qBlue(colour))});
            }
            out.pixels[std::size_t(y) * image.width() + x] = GifByteType(*found);
        }
    }
    return true;
}

bool indexByMedianCut(const QImage& image, Indexed& out)
{
    const std::size_t count = std::size_t(image.width()) * image.height();
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::size_t i = std::size_t(y) * image.width() + x;
            red[i] = GifByteType(qRed(line[x]));
            green[i] = GifByteType(qGreen(line[x]));
            blue[i] = GifByteType(qBlue(line[x]));
        }
    }
    int paletteSize = PaletteSize;
    out.palette.assign(PaletteSize, GifColorType{0, 0, 0});
    out.pixels.resize(count);
    return GifQuantizeBuffer(unsigned(image.width()), unsigned(image.height()), &paletteSize, red.data(),
                             green.data(), blue.data(), out.pixels.data(), out.palette.data()) == GIF_OK;
}

} // namespace

bool writeGif87a(const QImage& source, const QString& path, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (source.isNull())
        return fail(QStringLiteral("empty image"));

    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Indexed indexed;
    if (!indexExactly(image, indexed)) {
        indexed = {};
        if (!indexByMedianCut(image, indexed))
            return fail(QStringLiteral("colour quantisation failed"));
    }
    indexed.palette.resize(PaletteSize, GifColorType{0, 0, 0});

    int status = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &status);
    if (!gif)
        return fail(QString::fromUtf8(GifErrorString(status)));
    EGifSetGifVersion(gif, false);

    std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(
        GifMakeMapObject(PaletteSize, indexed.palette.data()), &GifFreeMapObject);
    bool ok = map && EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok =
            EGifPutLine(gif, indexed.pixels.data() + std::size_t(y) * image.width(), image.width()) == GIF_OK;
    const int writeError = gif->Error;
    if (EGifCloseFile(gif, &status) != GIF_OK)
        ok = false;
    if (!ok)
        return fail(QString::fromUtf8(GifErrorString(writeError ? writeError : status)));
    // giflib creates the file readable by its owner only; media is for everyone.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}
