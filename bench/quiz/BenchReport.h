#pragma once

#include <QString>

#include <vector>

// What every benchmark prints: one line per figure, median first.
namespace bench {

double median(std::vector<double> values);

// "what   median 12.3 ms   min 10.1   max 15.0   (n=50)"
void printTimes(const QString& what, const std::vector<double>& milliseconds);

// The process's memory now, in KiB: resident in all, and what it is made of.
// Shared memory is mostly the sound server's buffers; heap is what the program
// has allocated and not freed, however the allocator holds it.
struct Memory
{
    long residentKiB = 0;
    long anonymousKiB = 0;
    long fileKiB = 0;
    long sharedKiB = 0;
    long heapKiB = 0;
};
Memory memoryNow();
long residentKiB();
// "RSS 39.3 MiB (anon 20.1, file 11.0, shared 8.2; heap in use 9.9)"
QString describe(const Memory& memory);

// Runs a benchmark body inside the application's event loop, as the program's
// handlers run, and returns its exit status.
int runInEventLoop(int (*body)(const QStringList& arguments));

// Offscreen unless the caller chose a platform: the figures are the program's
// own work, not the display's.
void preferOffscreen();

} // namespace bench
