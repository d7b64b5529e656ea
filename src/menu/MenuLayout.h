#pragma once

#include "form/ControlSpec.h"

#include <vector>

namespace menu {
WindowSpec window();
std::vector<ControlSpec> controls();
} // namespace menu
