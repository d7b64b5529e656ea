#pragma once

#include "SoundPlayer.h"

#include <functional>
#include <memory>

// The program's sound player. It only passes the screen's commands on to a
// sound output on the audio thread, in order, and returns at once: decoding
// the file and talking to the sound server never hold up the window. A file
// that cannot be played stays silent there. What the output reports comes
// back to the user-interface thread; reports about a source since replaced or
// stopped, or for a player since destroyed, are dropped.
class AudioPlayer final : public SoundPlayer
{
public:
    AudioPlayer();
    ~AudioPlayer() override;

    void hide() override;
    void setSource(const QString& path) override;
    void setRepeatCount(int count) override;
    void stop() override;
    void watch(SoundWatcher watcher) override;

private:
    struct Output;
    struct Inbox;
    // Runs the command on the output, on the audio thread, once it exists.
    void send(std::function<void(SoundPlayer&)> command);
    static void deliver(const std::weak_ptr<Inbox>& to, quint64 source,
                        std::function<void(const SoundWatcher&)> report);

    std::shared_ptr<Output> m_output; // used on the audio thread only
    std::shared_ptr<Inbox> m_inbox;   // used on the user-interface thread only
};
