#include "ReferenceLayout.h"

#include "Form.h"
#include "NameBoard.h"
#include "Palette.h"
#include "ViewerList.h"

using namespace Qt::StringLiterals;

namespace reference {
namespace {

using namespace palette;
using typeface::FixedMincho;
using typeface::Mincho;
const QColor TitleBlue = Blue;

// Every label on these screens is white on colour in bold 12 pt Mincho.
ControlSpec caption(const QString& name, const QString& text, TwipsRect rect, QColor back, Align align,
                    bool border)
{
    return labelRow(name, text, rect, {Mincho, 12, true}, back, White, align, border);
}

} // namespace

const SeasonTable& seasonTable(Season season)
{
    // clang-format off
    static const SeasonTable springSummer{
        Season::SpringSummer,  u"ピヨ調べ（春夏）"_s, u" ピヨ調べ（春夏）"_s, u"鳥の絵は基本的に夏羽です"_s, 2535,
        {6615, 90},            {8190, 90},           {5055, 1620},         {-45, -30, 9600, 5970},
        ScreenId::SpringSummerQuiz};
    static const SeasonTable autumnWinter{
        Season::AutumnWinter,  u"ピヨ調べ（秋冬）"_s, u" ピヨ調べ（秋冬）"_s, u"鳥の絵は基本的に冬羽です"_s, 2505,
        {6630, 60},            {8205, 60},           {5070, 1710},         {0, -15, 9585, 5940},
        ScreenId::AutumnWinterQuiz};
    // clang-format on
    return season == Season::SpringSummer ? springSummer : autumnWinter;
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
    const auto at = [](QPointF p, float width, float height) {
        return TwipsRect{float(p.x()), float(p.y()), width, height};
    };

    const ControlSpec list = viewerList(u"List1"_s, at(season.listPosition, 4125, 2760));

    ControlSpec button = controlRow(Button, u"Command1"_s, {3300, 5340, 1125, 405}, false);
    button.caption = u"説　明"_s;
    button.font = {FixedMincho, 14.25, true};
    button.back = Pink;

    // Shown with 説明, once a bird is chosen; behind the viewer's click area,
    // so with the description open a click on it closes the description.
    ControlSpec panelSwitch = caption(u"Label6"_s, ShowSpectrogram, {225, 5385, 1005, 315}, Red, Left, true);
    panelSwitch.visible = false;
    ControlSpec pictureStep =
        caption(u"Label7"_s, pictureStepText(1, 1), {1290, 5385, 975, 315}, Red, Left, true);
    pictureStep.visible = false;
    ControlSpec callStep = caption(u"Label8"_s, callStepText(1, 1), {2325, 5385, 915, 315}, Red, Left, true);
    callStep.visible = false;
    ControlSpec info = labelRow(u"Label9"_s, QString(), {90, 5085, 4470, 255}, {Mincho, 9, false}, White,
                                Black, Align::Left, false, false);

    // clang-format off
    std::vector<ControlSpec> table{
        list,
        button,
        controlRow(MediaPlayer, u"MediaPlayer1"_s),
        caption(u"Label5"_s, u"■メニュー"_s,      at(season.menuLink, 1335, 315),           Red,      Left,   true),
        caption(u"Label4"_s, u"■ピヨ探し"_s,      at(season.quizLink, 1335, 315),           Red,      Left,   true),
        caption(u"Label3"_s, season.plumageNote, {season.plumageNoteLeft, 105, 3135, 285}, Magenta,  Centre, false),
        caption(u"Label2"_s, season.caption,     {105, 75, 1965, 315},                     TitleBlue, Centre, true),
        controlRow(PictureBox, u"Image2"_s,       season.clickArea, false),
        panelSwitch,
        pictureStep,
        callStep,
        info,
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
        .toQuiz = form.label(u"Label4"_s),
        .toMenu = form.label(u"Label5"_s),
        .picture = form.picture(u"Image1"_s),
        .viewerClickArea = form.picture(u"Image2"_s),
        .viewer = form.list(u"List1"_s),
        .describe = form.button(u"Command1"_s),
        .call = form.player(u"MediaPlayer1"_s),
        .panelSwitch = form.label(u"Label6"_s),
        .pictureStep = form.label(u"Label7"_s),
        .callStep = form.label(u"Label8"_s),
        .exemplarInfo = form.label(u"Label9"_s),
    };
}

QString pictureStepText(int shown, int count)
{
    return count > 0 ? u"姿 %1/%2"_s.arg(shown).arg(count) : u"姿 なし"_s;
}

QString callStepText(int shown, int count)
{
    return count > 0 ? u"声 %1/%2"_s.arg(shown).arg(count) : u"声 なし"_s;
}

} // namespace reference
