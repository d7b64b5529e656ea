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

// The 声だけ (by ear) toggle in the top bar, and the words shown in place of the
// picture when no bird of the set has a call to be asked by.
inline const QString ByEar = QStringLiteral("Label7");
inline const QString ByEarOff = QStringLiteral("□声だけ");
inline const QString ByEarOn = QStringLiteral("■声だけ");
inline const QString NoCalls = QStringLiteral("Label8");
inline const QString NoCallsText = QStringLiteral("この組には声のファイルがありません");

// The results view over the name board, and the click area under it that
// closes it, as the reference screen's description viewer does. Its top line
// is the 苦手優先 (weak birds more often) toggle; the list fills the rest.
inline const QString Results = QStringLiteral("List1");
inline const QString ResultsClickArea = QStringLiteral("Image4");
inline const QString WeakFirst = QStringLiteral("Label9");
inline const QString WeakFirstOff = QStringLiteral("□苦手優先");
inline const QString WeakFirstOn = QStringLiteral("■苦手優先");
inline constexpr TwipsRect WeakFirstRect{4650, 510, 4860, 255}; // one line at the board's top
inline constexpr TwipsRect ResultsRect{4650, 765, 4860, 5145};  // the rest of the name board

const SeasonTable& seasonTable(Season season);

WindowSpec window(const SeasonTable& season);
std::vector<ControlSpec> controls(const SeasonTable& season);

} // namespace quiz
