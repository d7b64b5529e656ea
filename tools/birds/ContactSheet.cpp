// piyo-contact-sheet MEDIA_DIR OUT.png
// Lays all 80 bird pictures of a media directory side by side, each with its number
// and name, so the whole set can be judged at a glance.
#include "BirdSpecies.h"
#include "GifWriter.h"
#include "Species.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr int Columns = 10;
constexpr int CellWidth = 298 + 12;
constexpr int PictureHeight = 361;
constexpr int LabelHeight = 30;
constexpr int CellHeight = PictureHeight + LabelHeight + 8;

void drawCell(QPainter& p, const QRect& cell, const QImage& picture, const QString& caption)
{
    p.fillRect(cell, QColor(236, 236, 236));
    const QRect panel(cell.left() + 6, cell.top() + 4, 298, PictureHeight);
    p.fillRect(panel, QColor(250, 250, 250));
    if (picture.isNull()) {
        p.setPen(Qt::red);
        p.drawText(panel, Qt::AlignCenter, u"(missing)"_s);
    } else {
        // centred in the panel, as the program shows it
        p.drawImage(panel.left() + (panel.width() - picture.width()) / 2,
                    panel.top() + (panel.height() - picture.height()) / 2, picture);
    }
    p.setPen(Qt::black);
    p.drawText(QRect(cell.left(), panel.bottom() + 2, cell.width(), LabelHeight), Qt::AlignCenter, caption);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: piyo-contact-sheet MEDIA_DIR OUT.png\n";
        return 2;
    }
    const QDir pictures(QDir(args.at(1)).filePath(u"姿"_s));
    const QList<Species>& table = speciesTable();
    const int rows = int((table.size() + Columns - 1) / Columns);
    QImage sheet(Columns * CellWidth, rows * CellHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(QFont(u"IPAPGothic"_s, 14));
    for (qsizetype i = 0; i < table.size(); ++i) {
        const Species& species = table.at(i);
        const QImage picture = QImageReader(pictures.filePath(u"b%1.gif"_s.arg(species.number))).read();
        const QRect cell(int(i % Columns) * CellWidth, int(i / Columns) * CellHeight, CellWidth, CellHeight);
        drawCell(p, cell, picture, u"%1 %2"_s.arg(species.number).arg(species::boardName(species.number)));
    }
    p.end();
    // reduced as the pictures are, which keeps the sheet small enough to keep in the repository
    if (!reducedTo256Colours(sheet).save(args.at(2))) {
        QTextStream(stderr) << "piyo-contact-sheet: cannot write " << args.at(2) << '\n';
        return 1;
    }
    return 0;
}
