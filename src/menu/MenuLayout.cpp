#include "MenuLayout.h"

#include "Form.h"
#include "Palette.h"

using namespace Qt::StringLiterals;

namespace menu {
namespace {

using namespace palette;

// Every menu label is white text in Mincho.
ControlSpec item(const QString& name, const QString& caption, TwipsRect rect, float points, bool bold,
                 QColor back, Align align, bool border, bool visible)
{
    return labelRow(name, caption, rect, {typeface::Mincho, points, bold}, back, White, align, border,
                    visible);
}

constexpr bool Bold = true, Normal = false;
constexpr bool Border = true, NoBorder = false;
constexpr bool Shown = true, Hidden = false;

} // namespace

WindowSpec window()
{
    return {u"ピヨメニュー"_s, 9600, 6000, u":/artwork/menu.gif"_s};
}

// Front to back. Left, top, width, height in twips.
std::vector<ControlSpec> controls()
{
    using enum Align;
    // clang-format off
    return {
        item(u"Label14"_s, u"干潟周辺の"_s,   {6120, 195, 2175, 435},    18,    Bold,   Pink,     Centre, NoBorder, Shown),
        item(u"Label13"_s, u"■戻　る"_s,      {6345, 5160, 1695, 495},   20.25, Bold,   Red,      Centre, Border,   Hidden),
        item(u"Label12"_s, u"■秋　冬"_s,      {6345, 4455, 1695, 495},   20.25, Bold,   Red,      Centre, Border,   Hidden),
        item(u"Label11"_s, u"■春　夏"_s,      {6345, 3750, 1695, 495},   20.25, Bold,   Red,      Centre, Border,   Hidden),
        item(u"Label10"_s, u"ピヨ探し"_s,     {5940, 3000, 2475, 585},   26.25, Bold,   Magenta,  Centre, NoBorder, Hidden),
        item(u"Label9"_s,  u"■戻　る"_s,      {6345, 5160, 1695, 495},   20.25, Bold,   Red,      Centre, Border,   Hidden),
        item(u"Label8"_s,  u"■秋　冬"_s,      {6360, 4455, 1695, 495},   20.25, Bold,   Red,      Centre, Border,   Hidden),
        item(u"Label7"_s,  u"■春　夏"_s,      {6360, 3735, 1695, 495},   20.25, Bold,   Red,      Centre, Border,   Hidden),
        item(u"Label6"_s,  u"ピヨ調べ"_s,     {5955, 3015, 2475, 585},   26.25, Bold,   Magenta,  Centre, NoBorder, Hidden),
        item(u"Label5"_s,  u"■終　　  了"_s,  {5985, 4875, 2415, 525},   21.75, Bold,   Red,      Left,   Border,   Shown),
        item(u"Label4"_s,  u"■ピヨ探し"_s,    {5985, 4050, 2415, 525},   21.75, Bold,   Red,      Left,   Border,   Shown),
        item(u"Label3"_s,  u"■ピヨ調べ"_s,    {6000, 3180, 2415, 525},   21.75, Bold,   Red,      Left,   Border,   Shown),
        item(u"Label2"_s,  u"ヨ"_s,           {7290, 720, 2055, 2055},   99.75, Normal, Lavender, Left,   Border,   Shown),
        item(u"Label1"_s,  u"ピ"_s,           {4890, 720, 2175, 2055},   99.75, Normal, Lavender, Left,   Border,   Shown),
    };
    // clang-format on
}

Controls controlsOf(const Form& form)
{
    auto labels = [&form](std::initializer_list<const char16_t*> names) {
        std::vector<FormLabel*> found;
        for (const char16_t* name : names)
            found.push_back(form.label(QString::fromUtf16(name)));
        return found;
    };
    Controls controls{
        .lookUp = form.label(u"Label3"_s),
        .quiz = form.label(u"Label4"_s),
        .quit = form.label(u"Label5"_s),
        .lookUpSpringSummer = form.label(u"Label7"_s),
        .lookUpAutumnWinter = form.label(u"Label8"_s),
        .backFromLookUp = form.label(u"Label9"_s),
        .quizSpringSummer = form.label(u"Label11"_s),
        .quizAutumnWinter = form.label(u"Label12"_s),
        .backFromQuiz = form.label(u"Label13"_s),
        .levels = {},
    };
    // Level     labels shown
    controls.levels = {
        {Level::Main, labels({u"Label3", u"Label4", u"Label5"})},
        {Level::LookUp, labels({u"Label6", u"Label7", u"Label8", u"Label9"})},
        {Level::Quiz, labels({u"Label10", u"Label11", u"Label12", u"Label13"})},
    };
    return controls;
}

} // namespace menu
