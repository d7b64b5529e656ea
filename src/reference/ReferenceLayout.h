#pragma once

#include "ControlSpec.h"
#include "NameBoard.h"
#include "ScreenId.h"
#include "Season.h"

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
    nameboard::Labels names;     // Label1(0)..Label1(39): the forty names
    FormLabel* toQuiz;           // Label4: ■ピヨ探し, the quiz of the set
    FormLabel* toMenu;           // Label5: ■メニュー
    PictureBox* picture;         // Image1: the bird's picture
    PictureBox* viewerClickArea; // Image2: closes the description viewer
    ListBox* viewer;             // List1: the description viewer
    FormButton* describe;        // Command1: 説明, opens the viewer
    SoundPlayer* call;           // MediaPlayer1: the bird's call
};
Controls controlsOf(const Form& form);

} // namespace reference
