// piyo-call-sheet CALLS_DIR OUT.png
// piyo-call-sheet --before OLD_CALLS_DIR CALLS_DIR OUT.png NUMBER...
// Lays out a spectrogram of every call, the spring and summer set above the autumn
// and winter set, each bird's first and second call side by side with its number,
// name and written call, so the whole set of calls can be judged at a glance: how
// long, how high, how many notes, clear or noisy. With --before, only the birds named,
// one a row: the first call as it was in OLD_CALLS_DIR, then its first and second now.
#include "CallTable.h"
#include "Spectrum.h"

#include <sndfile.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int kBirdsAcross = 5;
constexpr int kColumns = 2 * kBirdsAcross; // each bird's two calls side by side
constexpr int kRows = 8;                   // 5 x 8 birds = one season set
constexpr double kSeconds = 10;            // the longest call fills the width
constexpr double kTopHz = 10000;
constexpr int kPlotWidth = 300;  // 30 px a second
constexpr int kPlotHeight = 100; // 100 Hz a pixel
constexpr int kLabelHeight = 40; // name, then the written call
constexpr int kCellWidth = kPlotWidth + 12;
constexpr int kCellHeight = kPlotHeight + kLabelHeight + 8;
constexpr int kTitleHeight = 40;
constexpr std::size_t kFrame = 1024;
constexpr double kRangeDb = 50; // quieter than this below the call's loudest point is white

std::vector<float> readMono(const QString& path, int* sampleRate)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> frames(std::size_t(info.frames) * std::size_t(info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<float> mono(std::size_t(info.frames));
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = frames[i * std::size_t(info.channels)];
    *sampleRate = info.samplerate;
    return mono;
}

// Dark is loud, as on the printed sonograms of the field guides.
QImage spectrogram(const std::vector<float>& samples, int sampleRate)
{
    QImage plot(kPlotWidth, kPlotHeight, QImage::Format_Grayscale8);
    plot.fill(Qt::white);
    const auto hop = std::size_t(kSeconds * sampleRate / kPlotWidth);
    const std::vector<std::vector<float>> rows = spectrum::powerSpectra(samples, kFrame, hop);
    double loudest = 1e-30;
    for (const auto& row : rows)
        loudest = std::max(loudest, double(*std::max_element(row.begin(), row.end())));
    const double binHz = double(sampleRate) / double(kFrame);
    for (std::size_t x = 0; x < rows.size() && x < std::size_t(kPlotWidth); ++x) {
        for (int y = 0; y < kPlotHeight; ++y) {
            // The strongest bin within the pixel's band, so thin whistles stay visible.
            const double low = kTopHz * (kPlotHeight - 1 - y) / kPlotHeight,
                         high = low + kTopHz / kPlotHeight;
            double power = 0;
            for (auto bin = std::size_t(low / binHz);
                 bin <= std::size_t(high / binHz) && bin < rows[x].size(); ++bin)
                power = std::max(power, double(rows[x][bin]));
            const double db = 10 * std::log10(power / loudest + 1e-30);
            const double shade = std::clamp(-db / kRangeDb, 0.0, 1.0);
            plot.setPixel(int(x), y, qRgb(int(255 * shade), int(255 * shade), int(255 * shade)));
        }
    }
    return plot;
}

void drawCell(QPainter& p, const QPoint& at, const QImage& plot, const QString& caption)
{
    const QRect frame(at.x() + 6, at.y() + 4, kPlotWidth, kPlotHeight);
    p.setPen(QColor(200, 200, 200));
    for (int kHz = 2; kHz < 10; kHz += 2) // faint kHz lines under the plot's white
        p.drawLine(frame.left(), frame.bottom() - kHz * kPlotHeight / 10, frame.right(),
                   frame.bottom() - kHz * kPlotHeight / 10);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.drawImage(frame.topLeft(), plot);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::gray);
    p.drawRect(frame.adjusted(-1, -1, 0, 0));
    p.setPen(Qt::black);
    p.drawText(QRect(at.x() + 6, frame.bottom() + 2, kPlotWidth, kLabelHeight),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
}

QString captionOf(const Call& call)
{
    return u"%1 %2 %3\n%4"_s.arg(QString::fromUtf8(call.file).mid(1), QString::fromStdString(callName(call)),
                                 QString::fromUtf8(call.tags), QString::fromUtf8(call.heard));
}

// One cell: the call's spectrogram, or its name in red when the file is missing.
void drawCall(QPainter& p, const QPoint& at, const QString& path, const QString& caption)
{
    int rate = 0;
    const std::vector<float> samples = readMono(path, &rate);
    if (samples.empty()) {
        p.setPen(Qt::red);
        p.drawText(QRect(at, QSize(kCellWidth, kCellHeight)), Qt::AlignCenter, caption + u" (missing)"_s);
        return;
    }
    drawCell(p, at, spectrogram(samples, rate), caption);
}

const Call* findCall(const QString& file)
{
    for (const Call& call : birdCalls()) {
        if (QString::fromUtf8(call.file) == file)
            return &call;
    }
    return nullptr;
}

// Every call of both season sets.
QImage wholeSheet(const QDir& calls)
{
    const int blockHeight = kTitleHeight + kRows * kCellHeight;
    QImage sheet(kColumns * kCellWidth, 2 * blockHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    const QString titles[] = {u"春夏 (1–40)　各鳥の一声目と二声目　横 10 秒 × 縦 0–10 kHz"_s,
                              u"秋冬 (41–80)"_s};
    for (int block = 0; block < 2; ++block) {
        p.setFont(QFont(u"IPAPGothic"_s, 16));
        p.drawText(QRect(8, block * blockHeight, sheet.width(), kTitleHeight), Qt::AlignVCenter,
                   titles[block]);
    }
    p.setFont(QFont(u"IPAPGothic"_s, 10));
    for (const Call& call : birdCalls()) {
        const int number = birdNumber(call) - 1;
        const int block = number / (kBirdsAcross * kRows), place = number % (kBirdsAcross * kRows);
        const QPoint at((place % kBirdsAcross * 2 + exemplarNumber(call) - 1) * kCellWidth,
                        block * blockHeight + kTitleHeight + place / kBirdsAcross * kCellHeight);
        drawCall(p, at, calls.filePath(QString::fromUtf8(call.file) + u".wav"_s), captionOf(call));
    }
    return sheet;
}

// The named birds, a row each: the first call before, then both calls now.
QImage beforeAndAfter(const QDir& before, const QDir& after, const QStringList& numbers)
{
    QImage sheet(3 * kCellWidth, kTitleHeight + int(numbers.size()) * kCellHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setFont(QFont(u"IPAPGothic"_s, 14));
    p.drawText(QRect(8, 0, sheet.width(), kTitleHeight), Qt::AlignVCenter,
               u"前 (一声目)　→　後 (一声目, 二声目)　横 10 秒 × 縦 0–10 kHz"_s);
    p.setFont(QFont(u"IPAPGothic"_s, 10));
    for (int row = 0; row < numbers.size(); ++row) {
        const QString first = u"k"_s + numbers.at(row), second = first + u"-2"_s;
        const int y = kTitleHeight + row * kCellHeight;
        const Call* call = findCall(first);
        const QString name = call ? QString::fromStdString(callName(*call)) : QString();
        drawCall(p, QPoint(0, y), before.filePath(first + u".wav"_s),
                 u"%1 %2 (前)"_s.arg(numbers.at(row), name));
        for (const auto& [column, file] : {std::pair{1, first}, std::pair{2, second}}) {
            if (const Call* now = findCall(file))
                drawCall(p, QPoint(column * kCellWidth, y), after.filePath(file + u".wav"_s),
                         captionOf(*now));
        }
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QImage sheet;
    QString out;
    if (args.size() == 3) {
        sheet = wholeSheet(QDir(args.at(1)));
        out = args.at(2);
    } else if (args.size() > 5 && args.at(1) == u"--before"_s) {
        sheet = beforeAndAfter(QDir(args.at(2)), QDir(args.at(3)), args.mid(5));
        out = args.at(4);
    } else {
        QTextStream(stderr) << "usage: piyo-call-sheet CALLS_DIR OUT.png\n"
                               "       piyo-call-sheet --before OLD_CALLS_DIR CALLS_DIR OUT.png NUMBER...\n";
        return 2;
    }
    // Few grey levels keep the sheet small enough to keep beside the sources.
    if (!sheet.convertToFormat(QImage::Format_Grayscale8).save(out)) {
        QTextStream(stderr) << "piyo-call-sheet: cannot write " << out << '\n';
        return 1;
    }
    return 0;
}
