#include "BenchReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <unistd.h>

namespace bench {

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void printTimes(const QString& what, const std::vector<double>& milliseconds)
{
    if (milliseconds.empty()) {
        std::printf("  %-50s no samples\n", qPrintable(what));
        return;
    }
    const auto [low, high] = std::minmax_element(milliseconds.begin(), milliseconds.end());
    std::printf("  %-50s median %7.2f ms   min %7.2f   max %7.2f   (n=%zu)\n", qPrintable(what),
                median(milliseconds), *low, *high, milliseconds.size());
    std::fflush(stdout);
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

int runInEventLoop(int (*body)(const QStringList& arguments))
{
    // Line by line, so that a run cut short still shows how far it got.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTimer::singleShot(0, qApp,
                       [body] { QCoreApplication::exit(body(QCoreApplication::arguments().mid(1))); });
    return QCoreApplication::exec();
}

void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace bench
