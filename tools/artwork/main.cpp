// piyo-artwork ARTWORK_DIR [PICTURE_DIR]
// Draws the program's own pictures into ARTWORK_DIR (compiled into the program)
// and, when given, the right/wrong feedback pictures into the media's picture directory.
#include "Artwork.h"
#include "GifWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

bool save(const QImage& image, const QString& path)
{
    QString error;
    const bool ok = path.endsWith(u".png"_s) ? image.save(path) : writeGif87a(image, path, &error);
    if (!ok)
        QTextStream(stderr) << "piyo-artwork: cannot write " << path << ": " << error << '\n';
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // fonts for the painted text
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: piyo-artwork ARTWORK_DIR [PICTURE_DIR]\n";
        return 2;
    }
    const QDir artwork(args.at(1));
    QDir().mkpath(artwork.path());
    bool ok = save(drawMenuBackground(), artwork.filePath(u"menu.gif"_s)) &&
              save(drawBoardBackground(), artwork.filePath(u"board.gif"_s)) &&
              save(drawScorePanel(), artwork.filePath(u"score.gif"_s)) &&
              save(drawIcon(32), artwork.filePath(u"icon.gif"_s));
    for (int size : {64, 128, 256})
        ok = ok && save(drawIcon(size), artwork.filePath(u"icon-%1.png"_s.arg(size)));

    if (ok && args.size() > 2) {
        const QDir pictures(args.at(2));
        QDir().mkpath(pictures.path());
        ok = save(drawRightMark(), pictures.filePath(u"maru.gif"_s)) &&
             save(drawWrongMark(), pictures.filePath(u"batu.gif"_s));
    }
    return ok ? 0 : 1;
}
