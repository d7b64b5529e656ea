#pragma once

#include "NameBoard.h"
#include "ScreenId.h"
#include "Season.h"
#include "ControlSpec.h"

#include <QPointF>
#include <vector>

class Form;
class FormButton;
class FormLabel;
class ListBox;
class PictureBox;
class SoundPlayer;

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

// The controls the reference screen's code works with, found once when its
// window is built.
struct Controls
{
    nameboard::Labels Label1;  // the forty names, Label1(0)..Label1(39)
    FormLabel* Label4;         // ■ピヨ探し: to the quiz of the set
    FormLabel* Label5;         // ■メニュー
    PictureBox* Image1;        // the bird's picture
    PictureBox* Image2;        // the click area that closes the description viewer
    ListBox* List1;            // the description viewer
    FormButton* Command1;      // 説明: opens the viewer
    SoundPlayer* MediaPlayer1; // the bird's call
};
Controls controlsOf(const Form& form);

} // namespace reference
