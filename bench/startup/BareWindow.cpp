// The yardstick for start-up: the least a Qt Widgets program does to show a
// titled window of the menu's size. With --text it also draws one line of
// Japanese in the program's font, which is the price of the font lookup alone.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(u"ピヨ計測用の素の窓"_s);
    window.setFixedSize(640, 400);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* label = new QLabel(u"アカエリヒレアシシギ"_s, &window);
        QFont font(u"IPAPMincho"_s);
        font.setPixelSize(16);
        label->setFont(font);
        label->move(20, 20);
    }
    window.show();
    return app.exec();
}
