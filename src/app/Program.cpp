#include "Program.h"

#include "AudioPlayer.h"
#include "Fonts.h"
#include "ScreenSlots.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdlib>

namespace {

// Without a display Qt would abort with a core dump; say what is wrong instead.
bool displayAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

} // namespace

int runProgram(int argc, char** argv)
{
    if (!displayAvailable()) {
        QTextStream(stderr)
            << "piyo: no display found (DISPLAY is not set); piyo needs a graphical desktop\n";
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("piyo"));
    QApplication::setQuitOnLastWindowClosed(false);
    installJapaneseFonts();

    SteadyClock clock;
    SystemRandom random;
    ScreenSlots screens({clock, random, [] { return std::make_unique<AudioPlayer>(); }});
    QObject::connect(&screens, &ScreenSlots::finished, &app, &QCoreApplication::quit);
    screens.show(ScreenId::Menu);
    return app.exec();
}
