#pragma once

#include "Asking.h"
#include "Draw.h"

#include <memory>

class Settings;

// The modes the user's settings choose for the round: a new mode is a class of
// its own and a line here.
namespace quiz {

std::shared_ptr<const Asking> chosenAsking(const Settings& settings);
std::shared_ptr<const Draw> chosenDraw(const Settings& settings);

} // namespace quiz
