#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// A sound as the player decoded it for playing, mixed to mono: what a picture
// of the call is drawn from, so the picture shows exactly what is heard.
struct DecodedSound
{
    int sampleRate = 0;
    std::shared_ptr<const std::vector<float>> samples; // shared, never changed

    double seconds() const { return samples && sampleRate > 0 ? double(samples->size()) / sampleRate : 0; }
};

// Where playback is, as far as the sound server has played the sound: seconds
// into the pass being heard, back to 0 at each repeat. Not playing: stopped,
// ended, or not yet started.
struct PlayPosition
{
    double seconds = 0;
    bool playing = false;
};

// What a player reports of the sound it plays, on the thread the player is
// used on, and only for the latest source: the decoded sound once per source,
// then the position many times a second while it plays.
struct SoundWatcher
{
    std::function<void(const DecodedSound&)> decoded;
    std::function<void(const PlayPosition&)> position;
};

// A screen's sound: the call player repeats a bird's call until stopped, the
// feedback player plays the right or wrong sound once.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    virtual void hide() = 0;
    // Starts playing at once; a file that cannot be played stays silent.
    virtual void setSource(const QString& path) = 0;
    // 0: repeat until stopped; n > 0: play n times. Arrives just after the source.
    virtual void setRepeatCount(int count) = 0;
    virtual void stop() = 0;

    // Replaces the watcher. A player that reports nothing leaves a picture of
    // the call empty, which is what this one does.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): by value, as the players that keep it take it
    virtual void watch(SoundWatcher /*watcher*/) {}
};

using SoundPlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;
