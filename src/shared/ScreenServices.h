#pragma once

#include "Clock.h"
#include "RandomSource.h"
#include "SoundPlayer.h"

// What the screens take from outside: time, chance and sound. The program hands
// in the real ones; tests hand in a fake clock, a scripted source and recorders.
struct ScreenServices
{
    Clock& clock;
    RandomSource& random;
    SoundPlayerFactory makePlayer;
};
