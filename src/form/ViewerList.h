#pragma once

#include "ControlSpec.h"
#include "Palette.h"

// The description viewer's list, hidden until opened: white on blue in the
// fixed-width Mincho. The quiz's results view looks the same.
inline ControlSpec viewerList(const QString& name, TwipsRect rect)
{
    ControlSpec list = controlRow(ControlKind::ListBox, name, rect, false);
    list.font = {typeface::FixedMincho, 11.25, false};
    list.back = palette::Blue;
    list.fore = palette::White;
    return list;
}
