#pragma once

#include "ControlSpec.h"

// The description viewer's list, hidden until opened: white on blue in the
// fixed-width Mincho. The quiz's results view looks the same.
inline ControlSpec viewerList(const QString& name, TwipsRect rect)
{
    ControlSpec list = control(ControlKind::ListBox, name, rect, false);
    list.font = {QStringLiteral("ＭＳ 明朝"), 11.25, false};
    list.back = QColor(0, 0, 255);
    list.fore = QColor(255, 255, 255);
    return list;
}
