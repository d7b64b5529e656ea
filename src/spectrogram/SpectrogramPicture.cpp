#include "SpectrogramPicture.h"

#include <algorithm>
#include <cmath>

namespace spectrogram {

namespace {

const double Octaves = std::log2(HighestHz / LowestHz);

// The grey of a level: black at the loudest, white RangeDb below it.
uchar shadeOf(float db, float loudestDb)
{
    if (db <= FloorDb)
        return 255;
    const double share = std::clamp((double(loudestDb) - db) / RangeDb, 0.0, 1.0);
    return uchar(std::lround(255 * share));
}

// The level of a pixel row spanning [lowBin, highBin] in bins: the loudest bin
// within it where a row spans whole bins, so a thin whistle stays visible;
// between bins, read off the line joining them.
float levelIn(const float* column, std::size_t bins, double lowBin, double highBin)
{
    if (highBin - lowBin >= 1) {
        const auto from = std::size_t(std::ceil(lowBin));
        const auto to = std::min(bins - 1, std::size_t(std::floor(highBin)));
        float loudest = SilenceDb;
        for (std::size_t bin = from; bin <= to; ++bin)
            loudest = std::max(loudest, column[bin]);
        return loudest;
    }
    const double centre = (lowBin + highBin) / 2;
    const auto below = std::size_t(centre);
    if (below + 1 >= bins)
        return column[bins - 1];
    const double t = centre - double(below);
    return float((1 - t) * column[below] + t * column[below + 1]);
}

} // namespace

double yOf(double hz, double height)
{
    return height * std::log2(HighestHz / hz) / Octaves;
}

double hzAt(double y, double height)
{
    return HighestHz / std::exp2(y / height * Octaves);
}

double xOf(double at, double seconds, double width)
{
    return seconds > 0 ? width * at / seconds : 0;
}

QImage render(const Spectrogram& spectrogram, QSize pixels)
{
    QImage picture(pixels, QImage::Format_Grayscale8);
    picture.fill(255);
    const std::size_t columns = spectrogram.columns();
    if (columns == 0 || pixels.isEmpty() || spectrogram.loudestDb <= FloorDb)
        return picture;
    const int width = pixels.width(), height = pixels.height();
    const std::size_t bins = spectrogram.bins;
    const double binHz = spectrogram.binHz();
    const double nyquist = spectrogram.sampleRate / 2.0;
    const double columnsPerSecond = double(spectrogram.sampleRate) / double(spectrogram.hop);

    // Each row's band in bins, worked out once.
    std::vector<double> rowLow(static_cast<std::size_t>(height)), rowHigh(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rowHigh[std::size_t(y)] = hzAt(y, height) / binHz;
        rowLow[std::size_t(y)] = hzAt(y + 1, height) / binHz;
    }
    std::vector<float> merged(bins);
    for (int x = 0; x < width; ++x) {
        // The columns whose centres fall within this pixel's span of time; the
        // loudest of each bin, so a short click survives a long call.
        const double from = double(x) / width * spectrogram.seconds * columnsPerSecond;
        const double to = double(x + 1) / width * spectrogram.seconds * columnsPerSecond;
        auto first = std::size_t(std::ceil(from));
        auto last = std::min(columns, std::size_t(std::ceil(to)));
        if (first >= last) // wider pixels than columns: the nearest column
            first = std::min(columns - 1, std::size_t(std::lround((from + to) / 2)));
        last = std::max(last, first + 1);
        std::copy_n(spectrogram.levels.data() + first * bins, bins, merged.data());
        for (std::size_t c = first + 1; c < last; ++c) {
            const float* column = spectrogram.levels.data() + c * bins;
            for (std::size_t bin = 0; bin < bins; ++bin)
                merged[bin] = std::max(merged[bin], column[bin]);
        }
        for (int y = 0; y < height; ++y) {
            if (rowHigh[std::size_t(y)] * binHz > nyquist || rowHigh[std::size_t(y)] >= double(bins - 1))
                continue;
            const float db = levelIn(merged.data(), bins, rowLow[std::size_t(y)], rowHigh[std::size_t(y)]);
            picture.scanLine(y)[x] = shadeOf(db, spectrogram.loudestDb);
        }
    }
    return picture;
}

} // namespace spectrogram
