#pragma once

#include "SoundPlayer.h"

#include <memory>

class QAudioSink;
class QTimer;
class AudioLoop;

// Plays WAV files through a Qt audio sink. The file is decoded into memory
// and fed to the sink from there, so a repeating call joins up without a gap,
// a one-shot sound plays to its last sample, and a file that cannot be
// decoded never reaches Qt Multimedia: it simply stays silent.
//
// It reads files and talks to the sound server, so it lives on the audio
// thread: it is made, used and destroyed there (see AudioPlayer), and its
// watcher is called there.
class SoundOutput final : public SoundPlayer
{
public:
    SoundOutput();
    ~SoundOutput() override;

    void hide() override;
    void setSource(const QString& path) override;
    void setRepeatCount(int count) override;
    void stop() override;
    void watch(SoundWatcher watcher) override;

private:
    void reportPosition();

    // Silences the sink at once and deletes it.
    struct SinkDisposer
    {
        void operator()(QAudioSink* sink) const;
    };

    std::unique_ptr<QAudioSink, SinkDisposer> m_sink;
    AudioLoop* m_loop = nullptr; // owned by m_sink
    SoundWatcher m_watcher;
    std::unique_ptr<QTimer> m_positionTimer;
    double m_passSeconds = 0;
    int m_repeatCount = 1;
};
