#pragma once

#include "ScreenId.h"
#include "Season.h"
#include "form/ControlSpec.h"

#include <QPointF>
#include <vector>

namespace reference {

// What differs between the two reference screens.
struct SeasonTable
{
    Season season;
    QString title;         // title bar text
    QString caption;       // Label2: the title on the board
    QString plumageNote;   // Label3
    float plumageNoteLeft; // twips
    QPointF quizLink;      // Label4's left and top
    QPointF menuLink;      // Label5's left and top
    QPointF listPosition;  // List1's left and top
    TwipsRect clickArea;   // Image2
    ScreenId quiz;         // what "■ピヨ探し" opens
};

const SeasonTable& seasonTable(Season season);

WindowSpec window(const SeasonTable& season);
std::vector<ControlSpec> controls(const SeasonTable& season);

} // namespace reference
