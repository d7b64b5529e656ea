#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>

#include <vector>

// Records what the PulseAudio null sink "nullsink" plays (its monitor, mono, 48 kHz,
// through parec) and answers questions about the recording. Positions are
// sample indices; now() maps the wall clock onto them, so a call made at some
// moment can be compared with what the sink rendered around it.
class AudioMonitor : public QObject
{
public:
    static constexpr int kRate = 48000;
    // Peak level above which a millisecond of the recording counts as sound.
    static constexpr int kLoudLevel = 1000;

    explicit AudioMonitor(QObject* parent = nullptr);
    ~AudioMonitor() override;

    // Starts recording and waits for the first data: an idle sink can hold back
    // a new recorder's first chunk for a couple of seconds.
    bool start(int timeoutMs = 6000);
    QString errorString() const { return m_error; }

    // The sample being rendered at this moment, as far as the recording shows.
    // It errs late by the recorder's smallest delivery delay.
    qint64 now() const;
    // Waits until the recording reaches the given sample.
    bool waitUntilRecorded(qint64 position, int timeoutMs = 3000);
    qint64 recorded() const { return qint64(m_samples.size()); }

    // Start of the first and end of the last loud millisecond in [from, to), or -1.
    qint64 firstSound(qint64 from, qint64 to) const;
    qint64 lastSound(qint64 from, qint64 to) const;
    // Longest stretch without sound inside [from, to), in samples.
    qint64 longestSilence(qint64 from, qint64 to) const;
    // Share of [from, to)'s energy that lies at the given frequency (0..1).
    double toneShare(qint64 from, qint64 to, double hz) const;

    static double toMs(qint64 samples) { return samples * 1000.0 / kRate; }
    static qint64 fromMs(double ms) { return qint64(ms * kRate / 1000.0); }

private:
    void readChunk();
    bool loudAt(qint64 window) const;

    QProcess m_parec;
    QElapsedTimer m_clock;
    std::vector<qint16> m_samples;
    QByteArray m_pending;
    // Smallest (arrival time - recorded duration) seen: the clock time of sample 0.
    qint64 m_originNs = -1;
    QString m_error;
};
