#include "GifWriter.h"

#include <QFile>
#include <QHash>

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <limits>
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

// A palette for a picture of many colours: median cut on a fine histogram (6 bits
// a channel, keeping the exact mean of every cell), always splitting the box with
// the largest squared error, then refined by a few k-means passes. Large areas of
// one colour, dark ones included, get palette entries of their own and so keep
// their colour without speckle; giflib's own quantiser works on 5 bits a channel
// and lets a dark area fall between two distant entries.
struct Cell
{
    double count = 0, r = 0, g = 0, b = 0, rr = 0, gg = 0, bb = 0;
};

struct Box
{
    std::vector<int> cells;
    double error = 0;
    int channel = 0;
};

double channelOf(const Cell& c, int channel)
{
    return (channel == 0 ? c.r : channel == 1 ? c.g : c.b) / c.count;
}

void measure(Box& box, const std::vector<Cell>& cells)
{
    Cell total;
    for (int i : box.cells) {
        const Cell& c = cells[std::size_t(i)];
        total.count += c.count;
        total.r += c.r, total.g += c.g, total.b += c.b;
        total.rr += c.rr, total.gg += c.gg, total.bb += c.bb;
    }
    const double n = std::max(total.count, 1.0);
    const double vr = total.rr - total.r * total.r / n, vg = total.gg - total.g * total.g / n,
                 vb = total.bb - total.b * total.b / n;
    box.error = box.cells.size() < 2 ? 0 : vr + vg + vb;
    box.channel = vg >= vr && vg >= vb ? 1 : vr >= vb ? 0 : 2;
}

GifColorType meanColour(const Cell& c)
{
    auto byte = [&](double sum) { return GifByteType(std::clamp(std::lround(sum / c.count), 0L, 255L)); };
    return {byte(c.r), byte(c.g), byte(c.b)};
}

int distance(const GifColorType& a, int r, int g, int b)
{
    const int dr = a.Red - r, dg = a.Green - g, db = a.Blue - b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int nearest(const std::vector<GifColorType>& palette, int r, int g, int b)
{
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const int d = distance(palette[std::size_t(i)], r, g, b);
        if (d < bestDistance)
            best = i, bestDistance = d;
    }
    return best;
}

bool indexByMedianCut(const QImage& image, Indexed& out)
{
    // the histogram
    QHash<int, int> cellOf;
    std::vector<Cell> cells;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            const int key = (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
            auto found = cellOf.constFind(key);
            if (found == cellOf.constEnd()) {
                found = cellOf.insert(key, int(cells.size()));
                cells.emplace_back();
            }
            Cell& c = cells[std::size_t(*found)];
            c.count += 1;
            c.r += r, c.g += g, c.b += b;
            c.rr += r * r, c.gg += g * g, c.bb += b * b;
        }
    }
    if (cells.empty())
        return false;

    // median cut
    std::vector<Box> boxes(1);
    for (int i = 0; i < int(cells.size()); ++i)
        boxes[0].cells.push_back(i);
    measure(boxes[0], cells);
    while (int(boxes.size()) < PaletteSize) {
        const auto worst = std::max_element(boxes.begin(), boxes.end(),
                                            [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0)
            break;
        Box& box = *worst;
        const int channel = box.channel;
        std::sort(box.cells.begin(), box.cells.end(), [&](int a, int b) {
            return channelOf(cells[std::size_t(a)], channel) < channelOf(cells[std::size_t(b)], channel);
        });
        // split where half the pixels lie on either side
        double half = 0;
        for (int i : box.cells)
            half += cells[std::size_t(i)].count;
        half /= 2;
        std::size_t at = 0;
        for (double seen = 0; at + 1 < box.cells.size(); ++at) {
            seen += cells[std::size_t(box.cells[at])].count;
            if (seen >= half)
                break;
        }
        at = std::min(at, box.cells.size() - 2); // a cell heavier than the rest still leaves two boxes
        Box upper;
        upper.cells.assign(box.cells.begin() + std::ptrdiff_t(at + 1), box.cells.end());
        box.cells.resize(at + 1);
        measure(box, cells);
        measure(upper, cells);
        boxes.push_back(std::move(upper));
    }
    std::vector<GifColorType> palette;
    for (const Box& box : boxes) {
        Cell total;
        for (int i : box.cells) {
            const Cell& c = cells[std::size_t(i)];
            total.count += c.count, total.r += c.r, total.g += c.g, total.b += c.b;
        }
        palette.push_back(meanColour(total));
    }

    // k-means refinement on the cells
    std::vector<int> owner(cells.size());
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<Cell> sums(palette.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const Cell& c = cells[i];
            const GifColorType mean = meanColour(c);
            owner[i] = nearest(palette, mean.Red, mean.Green, mean.Blue);
            Cell& s = sums[std::size_t(owner[i])];
            s.count += c.count, s.r += c.r, s.g += c.g, s.b += c.b;
        }
        for (std::size_t k = 0; k < palette.size(); ++k)
            if (sums[k].count > 0)
                palette[k] = meanColour(sums[k]);
    }

    // each pixel to its nearest entry
    out.palette = palette;
    out.pixels.resize(std::size_t(image.width()) * image.height());
    QHash<QRgb, int> chosen;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = line[x] & RGB_MASK;
            auto found = chosen.constFind(colour);
            if (found == chosen.constEnd())
                found = chosen.insert(colour, nearest(palette, qRed(colour), qGreen(colour), qBlue(colour)));
            out.pixels[std::size_t(y) * image.width() + x] = GifByteType(*found);
        }
    }
    return true;
}

} // namespace

QImage reducedTo256Colours(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Indexed indexed;
    if (!indexExactly(image, indexed)) {
        indexed = {};
        if (!indexByMedianCut(image, indexed))
            return {};
    }
    QImage out(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const GifColorType& c : indexed.palette)
        table.append(qRgb(c.Red, c.Green, c.Blue));
    out.setColorTable(table);
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(indexed.pixels.data() + std::size_t(y) * image.width(), image.width(), out.scanLine(y));
    return out;
}

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
