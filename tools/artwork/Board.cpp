#include "Artwork.h"

#include <QPainter>

namespace {

const QColor Teal(4, 170, 164);
const QColor PanelRed(252, 2, 4);
const QColor PaleYellow(252, 254, 4);
const QColor White(252, 254, 252);
const QColor GridMagenta(252, 2, 252);
const QColor CellBlue(4, 2, 164);

// Panel and grid, in pixels, both ends included.
constexpr int PanelLeft = 6, PanelRight = 303, Top = 34, Bottom = 394;
constexpr int GridLeft = 310, GridMiddle = 472, GridRight = 634, RowHeight = 18, Rows = 20;

// Pixels of the 1× picture, both ends included; at 2× and 3× each is a square
// of whole pixels, so rules stay sharp at every resolution.
void fillPixels(QImage& image, int left, int top, int right, int bottom, const QColor& colour, int scale)
{
    QPainter(&image).fillRect(
        QRect(QPoint(left, top) * scale, QPoint(right + 1, bottom + 1) * scale - QPoint(1, 1)), colour);
}

} // namespace

QImage drawBoardBackground(int scale)
{
    QImage image(640 * scale, 400 * scale, QImage::Format_RGB32);
    image.fill(Teal);

    // The picture panel: a fine checker of pale yellow and white inside a red outline.
    for (int y = Top; y <= Bottom; ++y)
        for (int x = PanelLeft; x <= PanelRight; ++x)
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    image.setPixelColor(x * scale + dx, y * scale + dy,
                                        ((x + y) % 2 == 0) ? PaleYellow : White);
    fillPixels(image, PanelLeft, Top, PanelRight, Top, PanelRed, scale);
    fillPixels(image, PanelLeft, Bottom, PanelRight, Bottom, PanelRed, scale);
    fillPixels(image, PanelLeft, Top, PanelLeft, Bottom, PanelRed, scale);
    fillPixels(image, PanelRight, Top, PanelRight, Bottom, PanelRed, scale);

    // The name grid: two columns of twenty dark-blue cells ruled in magenta.
    fillPixels(image, GridLeft, Top, GridRight, Bottom, CellBlue, scale);
    for (int k = 0; k <= Rows; ++k)
        fillPixels(image, GridLeft, Top + RowHeight * k, GridRight, Top + RowHeight * k, GridMagenta, scale);
    for (int x : {GridLeft, GridMiddle, GridRight})
        fillPixels(image, x, Top, x, Bottom, GridMagenta, scale);
    return image;
}

QImage drawScorePanel(int scale)
{
    QImage image(201 * scale, 25 * scale, QImage::Format_RGB32);
    image.fill(PaleYellow);
    const struct
    {
        int left, right;
        QColor colour;
    } boxes[] = {{1, 29, PanelRed}, {31, 99, CellBlue}, {101, 129, PanelRed}, {131, 199, CellBlue}};
    for (const auto& box : boxes)
        fillPixels(image, box.left, 1, box.right, 23, box.colour, scale);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::white, 2.5));
    painter.drawEllipse(QPointF(15.5, 12.5), 8, 8);
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(108.5, 5.5), QPointF(122.5, 19.5));
    painter.drawLine(QPointF(122.5, 5.5), QPointF(108.5, 19.5));
    return image;
}
