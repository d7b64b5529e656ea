#include "MapWatcher.h"

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/uio.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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

pid_t spawnQuietly(const std::vector<std::string>& command, const std::vector<std::string>& extra)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    // The extra entries replace inherited ones of the same name.
    std::vector<char*> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string inherited(*entry);
        bool replaced = false;
        for (const std::string& own : extra)
            replaced |= inherited.compare(0, own.find('=') + 1, own, 0, own.find('=') + 1) == 0;
        if (!replaced)
            env.push_back(*entry);
    }
    for (const std::string& own : extra)
        env.push_back(const_cast<char*>(own.c_str()));
    env.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
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

// The DAMAGE extension has no client library installed here, and needs none:
// its three requests are a few words each.
xcb_extension_t damageExtension{"DAMAGE", 0};
constexpr uint8_t DamageQueryVersion = 0;
constexpr uint8_t DamageCreate = 1;
constexpr uint8_t ReportNonEmpty = 3; // one event when the window is first drawn into

struct DamageNotifyEvent
{
    uint8_t responseType;
    uint8_t level;
    uint16_t sequence;
    uint32_t drawable;
    uint32_t damage;
    uint32_t timestamp;
};

} // namespace

MapWatcher::MapWatcher() : m_connection(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    // With no window manager the program's top-level windows are the root's
    // children, so their creation and maps arrive here.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    m_netWmPid = atom("_NET_WM_PID");
    m_netWmName = atom("_NET_WM_NAME");
    m_utf8String = atom("UTF8_STRING");

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &damageExtension);
    if (!damage || !damage->present)
        return;
    struct
    {
        uint8_t major, minor;
        uint16_t length;
        uint32_t clientMajor, clientMinor;
    } query{0, DamageQueryVersion, 0, 1, 1};
    iovec parts[3];
    parts[2] = {&query, sizeof query};
    xcb_protocol_request_t request{1, &damageExtension, DamageQueryVersion, 0};
    const unsigned sequence = xcb_send_request(m_connection, XCB_REQUEST_CHECKED, parts + 2, &request);
    xcb_generic_error_t* error = nullptr;
    if (void* reply = xcb_wait_for_reply(m_connection, sequence, &error)) {
        std::free(reply);
        m_damageOpcode = damage->major_opcode;
        m_damageEvent = damage->first_event;
    }
    std::free(error);
}

MapWatcher::~MapWatcher()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

unsigned MapWatcher::atom(const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const unsigned found = reply ? reply->atom : 0;
    std::free(reply);
    return found;
}

// Asked as soon as a window exists, before it can be mapped or drawn into.
void MapWatcher::watchDrawing(unsigned window)
{
    if (!m_damageOpcode)
        return;
    struct
    {
        uint8_t major, minor;
        uint16_t length;
        uint32_t damage, drawable;
        uint8_t level, pad[3];
    } create{0, DamageCreate, 0, xcb_generate_id(m_connection), window, ReportNonEmpty, {}};
    iovec parts[3];
    parts[2] = {&create, sizeof create};
    xcb_protocol_request_t request{1, &damageExtension, DamageCreate, 1};
    // A window gone already makes an error event, which the loop ignores.
    xcb_send_request(m_connection, 0, parts + 2, &request);
    xcb_flush(m_connection);
}

MapWatcher::Launch MapWatcher::launch(const std::vector<std::string>& command,
                                      const std::vector<std::string>& environment, int timeoutMs,
                                      int settleMs)
{
    Launch result;
    // Whatever the last launch left in the queue is read and dropped first.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    while (xcb_generic_event_t* stale = xcb_poll_for_event(m_connection))
        std::free(stale);

    const Clock::time_point start = Clock::now();
    const pid_t pid = spawnQuietly(command, environment);
    if (pid < 0)
        return result;

    unsigned shown = 0;
    std::map<unsigned, double> firstDrawn; // window → ms, for windows not yet known to be the one
    while (!(result.mapped && (result.drawn || !m_damageOpcode)) && msSince(start) < timeoutMs) {
        xcb_generic_event_t* event = xcb_poll_for_event(m_connection);
        if (!event) {
            if (xcb_connection_has_error(m_connection))
                break;
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, 20);
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return result; // it died before showing anything
            continue;
        }
        const double now = msSince(start);
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            watchDrawing(reinterpret_cast<xcb_create_notify_event_t*>(event)->window);
        } else if (type == XCB_MAP_NOTIFY && !result.mapped) {
            const unsigned window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (windowPid(window) == unsigned(pid)) {
                shown = window;
                result.mapped = true;
                result.mapMs = now;
                result.title = windowTitle(window);
                if (xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(
                        m_connection, xcb_get_geometry(m_connection, window), nullptr)) {
                    result.width = geometry->width;
                    result.height = geometry->height;
                    std::free(geometry);
                }
                if (const auto drawn = firstDrawn.find(window); drawn != firstDrawn.end()) {
                    result.drawn = true;
                    result.drawnMs = drawn->second;
                }
            }
        } else if (m_damageOpcode && type == m_damageEvent) {
            const unsigned window = reinterpret_cast<DamageNotifyEvent*>(event)->drawable;
            if (result.mapped && window == shown && !result.drawn) {
                result.drawn = true;
                result.drawnMs = now;
            } else if (!result.mapped) {
                firstDrawn.emplace(window, now);
            }
        }
        std::free(event);
    }
    if (result.mapped) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        result.peakRssKiB = statusKiB(pid, "VmHWM");
    }
    endProcess(pid);
    return result;
}

unsigned MapWatcher::windowPid(unsigned window)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_netWmPid, XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    unsigned pid = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

std::string MapWatcher::windowTitle(unsigned window)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_netWmName, m_utf8String, 0, 256), nullptr);
    std::string title;
    if (reply && reply->format == 8)
        title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return title;
}
