#include "BenchReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <malloc.h>

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

Memory memoryNow()
{
    Memory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        const std::pair<const char*, long*> fields[] = {{"VmRSS:", &memory.residentKiB},
                                                        {"RssAnon:", &memory.anonymousKiB},
                                                        {"RssFile:", &memory.fileKiB},
                                                        {"RssShmem:", &memory.sharedKiB}};
        for (const QByteArray& line : status.readAll().split('\n'))
            for (const auto& [name, value] : fields)
                if (line.startsWith(name))
                    *value = line.mid(qsizetype(std::strlen(name))).trimmed().split(' ').value(0).toLong();
    }
    const struct mallinfo2 heap = mallinfo2();
    memory.heapKiB = long((heap.uordblks + heap.hblkhd) / 1024);
    return memory;
}

long residentKiB()
{
    return memoryNow().residentKiB;
}

QString describe(const Memory& memory)
{
    const auto mib = [](long kib) { return QString::number(double(kib) / 1024, 'f', 1); };
    return QStringLiteral("RSS %1 MiB (anon %2, file %3, shared %4; heap in use %5)")
        .arg(mib(memory.residentKiB), mib(memory.anonymousKiB), mib(memory.fileKiB), mib(memory.sharedKiB),
             mib(memory.heapKiB));
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
