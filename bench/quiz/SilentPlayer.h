#pragma once

#include "SoundPlayer.h"

#include <memory>

// A player that does nothing and keeps nothing: with it, whatever memory a long
// run gains is the screen's own, not the sound stack's or a recorder's log.
class SilentPlayer final : public SoundPlayer
{
public:
    void hide() override {}
    void setSource(const QString&) override {}
    void setRepeatCount(int) override {}
    void stop() override {}

    static SoundPlayerFactory factory()
    {
        return [] { return std::make_unique<SilentPlayer>(); };
    }
};
