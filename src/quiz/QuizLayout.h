#pragma once

#include "NameBoard.h"
#include "ScreenId.h"
#include "Season.h"
#include "ControlSpec.h"

#include <vector>

class Form;
class FormLabel;
class IntervalTimer;
class ListBox;
class PictureBox;
class SoundPlayer;

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
extern const QString ByEar; // Label7
inline const QString ByEarOff = QStringLiteral("□声だけ");
inline const QString ByEarOn = QStringLiteral("■声だけ");
extern const QString NoCalls; // Label8
inline const QString NoCallsText = QStringLiteral("この組には声のファイルがありません");

// The results view over the name board, and the click area under it that
// closes it, as the reference screen's description viewer does. Its top line
// is the 苦手優先 (weak birds more often) toggle; the list fills the rest.
extern const QString Results;          // List1
extern const QString ResultsClickArea; // Image4
extern const QString WeakFirst;        // Label9
inline const QString WeakFirstOff = QStringLiteral("□苦手優先");
inline const QString WeakFirstOn = QStringLiteral("■苦手優先");
inline constexpr TwipsRect WeakFirstRect{4650, 510, 4860, 255}; // one line at the board's top
inline constexpr TwipsRect ResultsRect{4650, 765, 4860, 5145};  // the rest of the name board

const SeasonTable& seasonTable(Season season);

WindowSpec window(const SeasonTable& season);
std::vector<ControlSpec> controls(const SeasonTable& season);

// The controls the quiz's code works with, found once when its window is built.
struct Controls
{
    nameboard::Labels Label1;  // the forty names, Label1(0)..Label1(39)
    FormLabel* Label3;         // ■ピヨ調べ: to the reference screen of the set
    FormLabel* Label4;         // ■メニュー
    FormLabel* Label5;         // the count of right answers
    FormLabel* Label6;         // the count of wrong answers
    FormLabel* Label7;         // the 声だけ toggle
    FormLabel* Label8;         // no bird of the set has a call
    FormLabel* Label9;         // the 苦手優先 toggle atop the results
    PictureBox* Image1;        // the bird's picture
    PictureBox* Image2;        // the score panel: opens the results
    PictureBox* Image3;        // the right or wrong mark
    PictureBox* Image4;        // the click area that closes the results
    ListBox* List1;            // the results
    IntervalTimer* Timer1;     // the start-up delay
    IntervalTimer* Timer2;     // the answer is judged
    IntervalTimer* Timer3;     // the feedback ends
    IntervalTimer* Timer4;     // the right name has been shown long enough
    SoundPlayer* MediaPlayer1; // the bird's call
    SoundPlayer* MediaPlayer2; // the right or wrong sound
};
Controls controlsOf(const Form& form);

} // namespace quiz
