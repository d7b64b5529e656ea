#include "Program.h"

#include "AudioPlayer.h"
#include "AudioThread.h"
#include "Fonts.h"
#include "Form.h"
#include "FormAccessibility.h"
#include "MenuLayout.h"
#include "Screen.h"
#include "ScreenSet.h"
#include "Settings.h"
#include "SqliteHistory.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

namespace {

// Runs `then` once, as soon as the window has been drawn for the first time.
class AfterFirstFrame final : public QObject
{
public:
    AfterFirstFrame(QWidget* window, std::function<void()> then) : QObject(window), m_then(std::move(then))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_then)
            QTimer::singleShot(0, qApp, std::exchange(m_then, {})); // after this paint reaches the screen
        return false;
    }

private:
    std::function<void()> m_then;
};

// Qt reports a display it cannot reach with a page of advice and an abort.
// While the application starts, its messages are held back; a fatal one
// becomes one line and a plain exit status, the others are shown afterwards.
QStringList startupMessages;

void holdStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        startupMessages << message;
        return;
    }
    const bool display = std::any_of(startupMessages.begin(), startupMessages.end(), [](const QString& held) {
        return held.contains(QLatin1String("display"));
    });
    QTextStream(stderr) << "piyo: "
                        << (display
                                ? QStringLiteral("cannot open the display; piyo needs a graphical desktop")
                                : message.section(u'\n', 0, 0))
                        << '\n';
    std::_Exit(EXIT_FAILURE);
}

} // namespace

int runProgram(int argc, char** argv)
{
    const QtMessageHandler defaultHandler = qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(defaultHandler);
    for (const QString& message : std::as_const(startupMessages))
        qWarning().noquote() << message;
    QApplication::setApplicationName(QStringLiteral("piyo"));
    QApplication::setQuitOnLastWindowClosed(false);
    installJapaneseFonts();
    installAccessibility();

    SteadyClock clock;
    SystemRandom random;
    // The history opens its file on its own thread; a file it cannot use costs a line on stderr, nothing
    // more. Its thread starts once the menu is on screen (or at first use), not to compete with the
    // first frame for the machine's cores.
    auto history = std::make_unique<SqliteHistory>();
    Settings settings; // read once, here; written by a worker from now on
    prefetchArtwork(menu::window().background, settings.scale() * qApp->devicePixelRatio());
    ScreenSet screens({clock, random, [] { return std::make_unique<AudioPlayer>(); }, history.get(),
                       &settings, [] { return AudioThread::instance().soundIsOff(); }});
    QObject::connect(&screens, &ScreenSet::finished, &app, &QCoreApplication::quit);
    screens.show(ScreenId::Menu);
    // The menu plays no sound and shows without the sound libraries and the
    // history; they load on their threads while the user reads it, so the first
    // call is quick.
    new AfterFirstFrame(screens.screen(ScreenId::Menu).form(), [history = history.get()] {
        showProgramIcon();
        history->start();
        AudioThread::instance().preload();
        reportMissingJapaneseFonts();
    });
    const int status = app.exec();
    history.reset(); // the answers still queued are written before the program ends
    settings.flush();
    // The program ends at once: tearing down the sound server's connection
    // while its thread still dispatches can trip an assertion in the sound
    // library, and there is nothing left to save.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
