// Writes the 32 px program icon, drawn as a GIF for the window, as the PNG an icon theme wants.
#include <QCoreApplication>
#include <QImage>
#include <QTextStream>

#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: piyo-icon-png ICON.gif ICON.png\n";
        return EXIT_FAILURE;
    }
    const QImage icon(arguments.at(1));
    // The theme directory is named after the size, so a redrawn icon of another size must not slip in.
    if (icon.size() != QSize(32, 32)) {
        QTextStream(stderr) << "piyo-icon-png: " << arguments.at(1) << " is not a 32 x 32 picture\n";
        return EXIT_FAILURE;
    }
    // The GIF's transparent colour becomes a real alpha channel.
    if (!icon.convertToFormat(QImage::Format_ARGB32).save(arguments.at(2), "PNG")) {
        QTextStream(stderr) << "piyo-icon-png: cannot write " << arguments.at(2) << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
