#include "audiomonitor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kWindow = AudioMonitor::kRate / 1000; // one millisecond
}

AudioMonitor::AudioMonitor(QObject* parent) : QObject(parent)
{
    m_samples.reserve(std::size_t(kRate) * 120);
    connect(&m_parec, &QProcess::readyReadStandardOutput, this, &AudioMonitor::readChunk);
}

AudioMonitor::~AudioMonitor()
{
    if (m_parec.state() != QProcess::NotRunning) {
        m_parec.kill();
        m_parec.waitForFinished(2000);
    }
}

bool AudioMonitor::start(int timeoutMs)
{
    m_parec.start(u"parec"_s, {u"-d"_s, u"nullsink.monitor"_s, u"--raw"_s, u"--format=s16le"_s,
                               u"--rate=48000"_s, u"--channels=1"_s, u"--latency-msec=10"_s});
    if (!m_parec.waitForStarted(3000)) {
        m_error = u"parec did not start: "_s + m_parec.errorString();
        return false;
    }
    m_clock.start();
    const QDeadlineTimer deadline(timeoutMs);
    while (m_samples.empty() && !deadline.hasExpired() && m_parec.state() == QProcess::Running)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (m_samples.empty()) {
        m_error = u"parec recorded nothing: "_s + QString::fromLocal8Bit(m_parec.readAllStandardError());
        return false;
    }
    return true;
}

void AudioMonitor::readChunk()
{
    const qint64 arrivalNs = m_clock.nsecsElapsed();
    m_pending += m_parec.readAllStandardOutput();
    const qsizetype whole = m_pending.size() / 2 * 2;
    const std::size_t old = m_samples.size();
    m_samples.resize(old + std::size_t(whole / 2));
    std::memcpy(m_samples.data() + old, m_pending.constData(), std::size_t(whole));
    m_pending.remove(0, whole);

    const qint64 originNs = arrivalNs - qint64(m_samples.size()) * 1000000000 / kRate;
    if (m_originNs < 0 || originNs < m_originNs)
        m_originNs = originNs;
}

qint64 AudioMonitor::now() const
{
    return (m_clock.nsecsElapsed() - m_originNs) * kRate / 1000000000;
}

bool AudioMonitor::waitUntilRecorded(qint64 position, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (recorded() < position && !deadline.hasExpired() && m_parec.state() == QProcess::Running)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return recorded() >= position;
}

bool AudioMonitor::loudAt(qint64 window) const
{
    const auto begin = m_samples.begin() + window * kWindow;
    return std::any_of(begin, begin + kWindow, [](qint16 s) { return std::abs(int(s)) > kLoudLevel; });
}

qint64 AudioMonitor::firstSound(qint64 from, qint64 to) const
{
    to = std::min(to, recorded());
    for (qint64 w = from / kWindow; (w + 1) * kWindow <= to; ++w) {
        if (loudAt(w))
            return w * kWindow;
    }
    return -1;
}

qint64 AudioMonitor::lastSound(qint64 from, qint64 to) const
{
    to = std::min(to, recorded());
    for (qint64 w = to / kWindow - 1; w >= 0 && w * kWindow >= from; --w) {
        if (loudAt(w))
            return (w + 1) * kWindow;
    }
    return -1;
}

qint64 AudioMonitor::longestSilence(qint64 from, qint64 to) const
{
    to = std::min(to, recorded());
    qint64 longest = 0;
    qint64 run = 0;
    for (qint64 w = from / kWindow; (w + 1) * kWindow <= to; ++w) {
        run = loudAt(w) ? 0 : run + kWindow;
        longest = std::max(longest, run);
    }
    return longest;
}

double AudioMonitor::toneShare(qint64 from, qint64 to, double hz) const
{
    // Goertzel: the power at one frequency against the whole power.
    to = std::min(to, recorded());
    if (to - from < 2)
        return 0;
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hz / kRate);
    double s1 = 0, s2 = 0, energy = 0;
    for (qint64 i = from; i < to; ++i) {
        const double x = m_samples[std::size_t(i)];
        const double s0 = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
        energy += x * x;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    const double n = double(to - from);
    return energy > 0 ? std::min(1.0, 2 * power / (n * energy)) : 0;
}
