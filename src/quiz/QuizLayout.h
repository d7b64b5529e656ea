#pragma once

#include "ScreenId.h"
#include "Season.h"
#include "form/ControlSpec.h"

#include <vector>

namespace quiz {

// What differs between the two quiz screens.
struct SeasonTable
{
    Season season;
    QString title;      // title bar text
    QString caption;    // Label2: the title on the board
    float captionTop;   // Label2's top, twips
    ScreenId reference; // what "■ピヨ調べ" opens
};

const SeasonTable& seasonTable(Season season);

WindowSpec window(const SeasonTable& season);
std::vector<ControlSpec> controls(const SeasonTable& season);

} // namespace quiz
