#pragma once

#include <QString>

#include <vector>

// What every benchmark prints: one line per figure, median first.
namespace bench {

double median(std::vector<double> values);

// "what   median 12.3 ms   min 10.1   max 15.0   (n=50)"
void printTimes(const QString& what, const std::vector<double>& milliseconds);

// The process's resident set size now, in KiB.
long residentKiB();

// Runs a benchmark body inside the application's event loop, as the program's
// handlers run, and returns its exit status.
int runInEventLoop(int (*body)(const QStringList& arguments));

// Offscreen unless the caller chose a platform: the figures are the program's
// own work, not the display's.
void preferOffscreen();

} // namespace bench
