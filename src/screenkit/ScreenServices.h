#pragma once

#include "Clock.h"
#include "RandomSource.h"
#include "SoundPlayer.h"

#include <functional>

namespace history {
class AnswerHistory;
}
class Settings;

// What the screens take from outside: time, chance, sound, the answer history and the settings. The program
// hands in the real ones; tests hand in a fake clock, a scripted source and recorders.
struct ScreenServices
{
    Clock& clock;
    RandomSource& random;
    SoundPlayerFactory makePlayer;
    history::AnswerHistory* history = nullptr; // none: answers are not kept
    Settings* settings = nullptr;              // none: defaults, kept while the screens live
    std::function<bool()> soundIsOff = {};     // none: sound is taken to be on
};
