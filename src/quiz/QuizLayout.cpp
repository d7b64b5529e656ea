#include "QuizLayout.h"

#include "NameBoard.h"
#include "form/Palette.h"
#include "form/ViewerList.h"

using namespace Qt::StringLiterals;

namespace quiz {
namespace {

using namespace palette;
using typeface::Gothic;
using typeface::Mincho;
const QColor TitleBlue = Blue;
const QColor CountBlue = DarkBlue;

// The 声だけ toggle fills the free space between the score panel and ■ピヨ調べ
// (about 60 pixels) at the largest size of the board's font whose caption fits.
constexpr float ByEarPoints = 11.25;

} // namespace

const SeasonTable& seasonTable(Season season)
{
    // clang-format off
    static const SeasonTable autumnWinter{Season::AutumnWinter, u"ピヨ探し（秋冬）"_s, u" ピヨ探し（秋冬）"_s, 60,
                                          ScreenId::AutumnWinterReference};
    static const SeasonTable springSummer{Season::SpringSummer, u"ピヨ探し（春夏）"_s, u" ピヨ探し（春夏）"_s, 90,
                                          ScreenId::SpringSummerReference};
    // clang-format on
    return season == Season::AutumnWinter ? autumnWinter : springSummer;
}

WindowSpec window(const SeasonTable& season)
{
    return {season.title, 9600, 5955, u":/artwork/board.gif"_s};
}

// Front to back. Left, top, width, height in twips.
std::vector<ControlSpec> controls(const SeasonTable& season)
{
    using enum ControlKind;
    using enum Align;
    ControlSpec scorePanel = control(PictureBox, u"Image2"_s, {2580, 75, 3015, 375});
    scorePanel.picture = u":/artwork/score.gif"_s;

    // clang-format off
    std::vector<ControlSpec> table{
        control(Timer, u"Timer4"_s),
        control(Timer, u"Timer3"_s),
        control(Timer, u"Timer2"_s),
        control(Timer, u"Timer1"_s),
        control(MediaPlayer, u"MediaPlayer2"_s),
        control(MediaPlayer, u"MediaPlayer1"_s),
        label(u"Label6"_s, {},              {4560, 105, 1005, 315},                {Gothic, 15.75, true}, CountBlue, Yellow, Centre, false),
        label(u"Label5"_s, {},              {3060, 105, 1005, 315},                {Gothic, 15.75, true}, CountBlue, Yellow, Centre, false),
        control(PictureBox, u"Image3"_s,    {3300, 1605, 2985, 2925}, false),
        scorePanel,
        label(u"Label2"_s, season.caption,  {90, season.captionTop, 1965, 315},    {Mincho, 12, true},    TitleBlue, White,  Centre, true),
        label(u"Label3"_s, u"■ピヨ調べ"_s,  {6600, 105, 1425, 315},                {Mincho, 12, true},    Red,       White,  Left,   true),
        label(u"Label4"_s, u"■メニュー"_s,  {8175, 105, 1335, 315},                {Mincho, 12, true},    Red,       White,  Left,   true),
        label(ByEar,       ByEarOff,        {5655, 105, 900, 315},                 {Mincho, ByEarPoints, true}, Red, White, Centre, true),
        label(WeakFirst,   WeakFirstOff,    WeakFirstRect,                         {Mincho, 11.25, true}, Red,       White,  Left,   true, false),
        viewerList(Results,                 ResultsRect),
        control(PictureBox, ResultsClickArea, {0, 0, 9600, 5955}, false),
        label(NoCalls,     NoCallsText,     {90, 2940, 4470, 555},                 {Mincho, 12, true},    CountBlue, White,  Centre, true, false),
    };
    // clang-format on
    nameboard::append(table, season.season);
    table.push_back(control(PictureBox, u"Image1"_s, {90, 510, 4470, 5415}));
    return table;
}

} // namespace quiz
