#pragma once

#include "SoundPlayer.h"

#include <QStringList>

#include <memory>

// Records what a screen asks of a player that can be heard, in order, e.g.
// "source /m/声/k2.wav", "repeat 0", "stop". Hiding a player changes nothing
// a user notices, so it is not recorded.
class RecordingPlayer final : public SoundPlayer
{
public:
    void hide() override {}
    void setSource(const QString& path) override { calls << QStringLiteral("source ") + path; }
    void setRepeatCount(int count) override { calls << QStringLiteral("repeat %1").arg(count); }
    void stop() override { calls << QStringLiteral("stop"); }

    static SoundPlayerFactory factory()
    {
        return [] { return std::make_unique<RecordingPlayer>(); };
    }

    QStringList calls;
};
