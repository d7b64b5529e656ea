#include "QuizLayout.h"

#include "Form.h"
#include "NameBoard.h"
#include "Palette.h"
#include "ViewerList.h"

using namespace Qt::StringLiterals;

namespace quiz {

const QString ByEar = u"Label7"_s;
const QString NoCalls = u"Label8"_s;
const QString Results = u"List1"_s;
const QString ResultsClickArea = u"Image4"_s;
const QString WeakFirst = u"Label9"_s;
const QString Review = u"Label10"_s;
const QString Progress = u"Label11"_s;

QString reviewCaption(bool on, int dueToday, bool known)
{
    const QString toggle = on ? ReviewOn : ReviewOff;
    return known ? u"%1 今日%2羽"_s.arg(toggle).arg(dueToday) : toggle;
}

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
    return nameboard::window(season.title);
}

// Front to back. Left, top, width, height in twips.
std::vector<ControlSpec> controls(const SeasonTable& season)
{
    using enum ControlKind;
    using enum Align;
    ControlSpec scorePanel = controlRow(PictureBox, u"Image2"_s, {2580, 75, 3015, 375});
    scorePanel.picture = u":/artwork/score.gif"_s;

    // clang-format off
    std::vector<ControlSpec> table{
        controlRow(Timer, u"Timer4"_s),
        controlRow(Timer, u"Timer3"_s),
        controlRow(Timer, u"Timer2"_s),
        controlRow(Timer, u"Timer1"_s),
        controlRow(MediaPlayer, u"MediaPlayer2"_s),
        controlRow(MediaPlayer, u"MediaPlayer1"_s),
        labelRow(u"Label6"_s, {},              {4560, 105, 1005, 315},                {Gothic, 15.75, true}, CountBlue, Yellow, Centre, false),
        labelRow(u"Label5"_s, {},              {3060, 105, 1005, 315},                {Gothic, 15.75, true}, CountBlue, Yellow, Centre, false),
        controlRow(PictureBox, u"Image3"_s,    {3300, 1605, 2985, 2925}, false),
        scorePanel,
        labelRow(u"Label2"_s, season.caption,  {90, season.captionTop, 1965, 315},    {Mincho, 12, true},    TitleBlue, White,  Centre, true),
        labelRow(u"Label3"_s, u"■ピヨ調べ"_s,  {6600, 105, 1425, 315},                {Mincho, 12, true},    Red,       White,  Left,   true),
        labelRow(u"Label4"_s, u"■メニュー"_s,  {8175, 105, 1335, 315},                {Mincho, 12, true},    Red,       White,  Left,   true),
        labelRow(ByEar,       ByEarOff,        {5655, 105, 900, 315},                 {Mincho, ByEarPoints, true}, Red, White, Centre, true),
        labelRow(WeakFirst,   WeakFirstOff,    WeakFirstRect,                         {Mincho, 11.25, true}, Red,       White,  Left,   true, false),
        viewerList(Results,                 ResultsRect),
        controlRow(PictureBox, ResultsClickArea, {0, 0, 9600, 5955}, false),
        labelRow(NoCalls,     NoCallsText,     {90, 2940, 4470, 555},                 {Mincho, 12, true},    CountBlue, White,  Centre, true, false),
        labelRow(Review,      ReviewOff,       ReviewRect,                            {Mincho, 11.25, true}, Red,       White,  Left,   true),
        labelRow(Progress,    ProgressText,    ProgressRect,                          {Mincho, 11.25, true}, Red,       White,  Centre, true),
    };
    // clang-format on
    nameboard::append(table, season.season);
    table.push_back(controlRow(PictureBox, u"Image1"_s, {90, 510, 4470, 5415}));
    return table;
}

Controls controlsOf(const Form& form)
{
    return {
        .names = nameboard::labelsOf(form),
        .toReference = form.label(u"Label3"_s),
        .toMenu = form.label(u"Label4"_s),
        .rightCount = form.label(u"Label5"_s),
        .wrongCount = form.label(u"Label6"_s),
        .byEarToggle = form.label(ByEar),
        .notice = form.label(NoCalls),
        .weakFirstToggle = form.label(WeakFirst),
        .reviewToggle = form.label(Review),
        .progress = form.label(Progress),
        .picture = form.picture(u"Image1"_s),
        .scorePanel = form.picture(u"Image2"_s),
        .mark = form.picture(u"Image3"_s),
        .resultsClickArea = form.picture(ResultsClickArea),
        .results = form.list(Results),
        .startTimer = form.timer(u"Timer1"_s),
        .answerTimer = form.timer(u"Timer2"_s),
        .feedbackTimer = form.timer(u"Timer3"_s),
        .revealTimer = form.timer(u"Timer4"_s),
        .call = form.player(u"MediaPlayer1"_s),
        .feedbackSound = form.player(u"MediaPlayer2"_s),
    };
}

} // namespace quiz
