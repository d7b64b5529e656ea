#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

struct xcb_connection_t;

// Starts a program and notes, as the X server sees it, when its first
// top-level window is mapped and when the program first draws into it. The
// server reports every map on the root window as it happens, and the DAMAGE
// extension reports the first drawing into a watched window, so both times are
// exact to the event's delivery instead of to a polling interval.
class MapWatcher
{
public:
    MapWatcher(); // connects to $DISPLAY
    ~MapWatcher();
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool connected() const { return m_connection != nullptr; }
    // False when the server has no DAMAGE extension: then nothing is "drawn".
    bool seesDrawing() const { return m_damageOpcode != 0; }

    struct Launch
    {
        bool mapped = false;
        double mapMs = 0; // from just before exec to the window being mapped
        bool drawn = false;
        double drawnMs = 0;  // from just before exec to the first drawing into that window
        long peakRssKiB = 0; // the program's high-water mark once it has settled
        std::string title;
        int width = 0;
        int height = 0;
    };

    // Starts the command with extra environment entries ("NAME=value"), waits
    // for its window and its first drawing, lets it settle (idle), reads its
    // peak memory and ends it.
    Launch launch(const std::vector<std::string>& command, const std::vector<std::string>& environment = {},
                  int timeoutMs = 10000, int settleMs = 500);

private:
    unsigned windowPid(unsigned window);
    std::string windowTitle(unsigned window);
    void watchDrawing(unsigned window);
    unsigned atom(const char* name);

    xcb_connection_t* m_connection = nullptr;
    unsigned m_root = 0;
    unsigned char m_damageOpcode = 0; // major opcode; 0 when the extension is missing
    unsigned char m_damageEvent = 0;  // DamageNotify's event code
    unsigned m_netWmPid = 0;
    unsigned m_netWmName = 0;
    unsigned m_utf8String = 0;
};
