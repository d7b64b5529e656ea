#include "MapWatcher.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A window can be gone by the time its properties are asked for; that is no error here.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

long statusKiB(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) {
            std::istringstream value(line.substr(field.size() + 1));
            long kib = 0;
            value >> kib;
            return kib;
        }
    return 0;
}

pid_t spawnQuietly(const std::vector<std::string>& command)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

void endProcess(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

MapWatcher::MapWatcher() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        return;
    XSetErrorHandler(ignoreXErrors);
    m_root = DefaultRootWindow(m_display);
    // With no window manager the program's top-level windows are the root's
    // children, so their maps arrive here as MapNotify.
    XSelectInput(m_display, m_root, SubstructureNotifyMask);
    XSync(m_display, False);
}

MapWatcher::~MapWatcher()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void MapWatcher::drainEvents()
{
    XSync(m_display, False);
    XEvent event;
    while (XPending(m_display))
        XNextEvent(m_display, &event);
}

MapWatcher::Launch MapWatcher::launch(const std::vector<std::string>& command, int timeoutMs, int settleMs)
{
    Launch result;
    drainEvents();
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawnQuietly(command);
    if (pid < 0)
        return result;

    while (!result.mapped && msSince(start) < timeoutMs) {
        if (!XPending(m_display)) {
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            poll(&fd, 1, 20);
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return result; // it died before showing anything
            continue;
        }
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != MapNotify || windowPid(event.xmap.window) != static_cast<unsigned long>(pid))
            continue;
        result.mapMs = msSince(start);
        result.mapped = true;
        result.title = windowTitle(event.xmap.window);
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_display, event.xmap.window, &attributes)) {
            result.width = attributes.width;
            result.height = attributes.height;
        }
    }
    if (result.mapped) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        result.peakRssKiB = statusKiB(pid, "VmHWM");
    }
    endProcess(pid);
    return result;
}

unsigned long MapWatcher::windowPid(unsigned long window)
{
    const Atom netWmPid = XInternAtom(m_display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    unsigned long pid = 0;
    if (XGetWindowProperty(m_display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                           &after, &data) == Success &&
        data && items == 1 && format == 32)
        pid = *reinterpret_cast<unsigned long*>(data);
    if (data)
        XFree(data);
    return pid;
}

std::string MapWatcher::windowTitle(unsigned long window)
{
    const Atom netWmName = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(m_display, window, netWmName, 0, 256, False, utf8, &type, &format, &items, &after,
                           &data) == Success &&
        data && format == 8)
        title.assign(reinterpret_cast<char*>(data), items);
    if (data)
        XFree(data);
    return title;
}
