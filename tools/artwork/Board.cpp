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

void fillPixels(QImage& image, int left, int top, int right, int bottom, const QColor& colour)
{
    QPainter(&image).fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), colour);
}

} // namespace

QImage drawBoardBackground()
{
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(Teal);

    // The picture panel: a fine checker of pale yellow and white inside a red outline.
    for (int y = Top; y <= Bottom; ++y)
        for (int x = PanelLeft; x <= PanelRight; ++x)
            image.setPixelColor(x, y, ((x + y) % 2 == 0) ? PaleYellow : White);
    fillPixels(image, PanelLeft, Top, PanelRight, Top, PanelRed);
    fillPixels(image, PanelLeft, Bottom, PanelRight, Bottom, PanelRed);
    fillPixels(image, PanelLeft, Top, PanelLeft, Bottom, PanelRed);
    fillPixels(image, PanelRight, Top, PanelRight, Bottom, PanelRed);

    // The name grid: two columns of twenty dark-blue cells ruled in magenta.
    fillPixels(image, GridLeft, Top, GridRight, Bottom, CellBlue);
    for (int k = 0; k <= Rows; ++k)
        fillPixels(image, GridLeft, Top + RowHeight * k, GridRight, Top + RowHeight * k, GridMagenta);
    for (int x : {GridLeft, GridMiddle, GridRight})
        fillPixels(image, x, Top, x, Bottom, GridMagenta);
    return image;
}

QImage drawScorePanel()
{
    QImage image(201, 25, QImage::Format_RGB32);
    image.fill(PaleYellow);
    const struct
    {
        int left, right;
        QColor colour;
    } boxes[] = {{1, 29, PanelRed}, {31, 99, CellBlue}, {101, 129, PanelRed}, {131, 199, CellBlue}};
    for (const auto& box : boxes)
        fillPixels(image, box.left, 1, box.right, 23, box.colour);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2.5));
    painter.drawEllipse(QPointF(15.5, 12.5), 8, 8);
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(108.5, 5.5), QPointF(122.5, 19.5));
    painter.drawLine(QPointF(122.5, 5.5), QPointF(108.5, 19.5));
    return image;
}
