#pragma once

#include <QString>

#include <functional>
#include <memory>

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
};

using SoundPlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;
