#pragma once

#include "Clock.h"
#include "RandomSource.h"
#include "SoundPlayer.h"

namespace history {
class AnswerHistory;
}

// What the screens take from outside: time, chance, sound and the answer history. The program hands
// in the real ones; tests hand in a fake clock, a scripted source and recorders.
struct ScreenServices
{
    Clock& clock;
    RandomSource& random;
    SoundPlayerFactory makePlayer;
    history::AnswerHistory* history = nullptr; // none: answers are not kept
};
