#pragma once

#include "ControlSpec.h"
#include "NameBoard.h"
#include "ScreenId.h"
#include "Season.h"

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
// Shown there instead while a question is asked by ear and no sound can be played.
inline const QString NoSoundText = QStringLiteral("音が出ません（サウンドサーバーがありません）");

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

// A line over the foot of the picture panel, the one place the board leaves
// free: the 復習 (review) toggle with how many birds are due today, and the
// label that opens the progress view.
extern const QString Review;   // Label10
extern const QString Progress; // Label11
inline const QString ReviewOff = QStringLiteral("□復習");
inline const QString ReviewOn = QStringLiteral("■復習");
inline const QString ProgressText = QStringLiteral("■成績を見る");
inline constexpr TwipsRect ReviewRect{90, 5655, 2655, 270};
inline constexpr TwipsRect ProgressRect{2790, 5655, 1770, 270};
// The call's spectrogram, shown once the answer is judged (before, it would
// give the answer away by ear): over the lower part of the picture panel, so
// the bird stays in sight above it and the line at the foot stays clickable.
inline constexpr TwipsRect SpectrogramRect{90, 3735, 4470, 1890};
// "■復習 今日3羽": the toggle and today's due birds of the way of asking.
QString reviewCaption(bool on, int dueToday, bool known);

const SeasonTable& seasonTable(Season season);

WindowSpec window(const SeasonTable& season);
std::vector<ControlSpec> controls(const SeasonTable& season);

// The controls the quiz's code works with, found once when its window is built;
// the layout's name of each beside it.
struct Controls
{
    nameboard::Labels names;      // Label1(0)..Label1(39): the forty names
    FormLabel* toReference;       // Label3: ■ピヨ調べ, the reference screen of the set
    FormLabel* toMenu;            // Label4: ■メニュー
    FormLabel* rightCount;        // Label5
    FormLabel* wrongCount;        // Label6
    FormLabel* byEarToggle;       // Label7: 声だけ
    FormLabel* notice;            // Label8: words in place of the picture (no calls, no sound)
    FormLabel* weakFirstToggle;   // Label9: 苦手優先, atop the results
    FormLabel* reviewToggle;      // Label10: 復習 and today's due count
    FormLabel* progress;          // Label11: opens the progress view
    PictureBox* picture;          // Image1: the bird's picture
    PictureBox* scorePanel;       // Image2: opens the results
    PictureBox* mark;             // Image3: the right or wrong mark
    PictureBox* resultsClickArea; // Image4: closes the results
    ListBox* results;             // List1
    IntervalTimer* startTimer;    // Timer1: the start-up delay
    IntervalTimer* answerTimer;   // Timer2: the answer is judged
    IntervalTimer* feedbackTimer; // Timer3: the feedback ends
    IntervalTimer* revealTimer;   // Timer4: the right name has been shown long enough
    SoundPlayer* call;            // MediaPlayer1: the bird's call
    SoundPlayer* feedbackSound;   // MediaPlayer2: the right or wrong sound
};
Controls controlsOf(const Form& form);

} // namespace quiz
