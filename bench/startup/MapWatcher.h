#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

typedef struct _XDisplay Display;

// Starts a program and notes when its first top-level window is mapped. The
// server reports every map on the root window as it happens, so the time is
// exact to the event's delivery instead of to a polling interval.
class MapWatcher
{
public:
    MapWatcher(); // connects to $DISPLAY
    ~MapWatcher();
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool connected() const { return m_display != nullptr; }

    struct Launch
    {
        bool mapped = false;
        double mapMs = 0;    // from just before exec to the window being mapped
        long peakRssKiB = 0; // the program's high-water mark once it has settled
        std::string title;
        int width = 0;
        int height = 0;
    };

    // Starts `program`, waits for its window, lets it settle (first paint, idle),
    // reads its peak memory and ends it.
    Launch launch(const std::vector<std::string>& command, int timeoutMs = 10000, int settleMs = 500);

private:
    unsigned long windowPid(unsigned long window);
    std::string windowTitle(unsigned long window);
    void drainEvents();

    Display* m_display = nullptr;
    unsigned long m_root = 0;
};
