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
    // name.gif at 1×, name@2x.gif and name@3x.gif for windows shown larger.
    const auto scaled = [](const QString& name, int scale) {
        return scale == 1 ? name + u".gif"_s : u"%1@%2x.gif"_s.arg(name).arg(scale);
    };
    bool ok = true;
    for (int scale : {1, 2, 3}) {
        ok = ok && save(drawMenuBackground(scale), artwork.filePath(scaled(u"menu"_s, scale))) &&
             save(drawBoardBackground(scale), artwork.filePath(scaled(u"board"_s, scale))) &&
             save(drawScorePanel(scale), artwork.filePath(scaled(u"score"_s, scale))) &&
             save(drawIcon(32 * scale), artwork.filePath(scaled(u"icon"_s, scale)));
    }
    for (int size : {48, 64, 128, 256})
        ok = ok && save(drawIcon(size), artwork.filePath(u"icon-%1.png"_s.arg(size)));
    ok = ok && writeIconSvg(artwork.filePath(u"icon.svg"_s));

    if (ok && args.size() > 2) {
        const QDir pictures(args.at(2));
        QDir().mkpath(pictures.path());
        for (int scale : {1, 2, 3})
            ok = ok && save(drawRightMark(scale), pictures.filePath(scaled(u"maru"_s, scale))) &&
                 save(drawWrongMark(scale), pictures.filePath(scaled(u"batu"_s, scale)));
    }
    return ok ? 0 : 1;
}
