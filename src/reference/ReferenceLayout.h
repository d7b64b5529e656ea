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
class SpectrogramView;

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

// The picture panel shows the bird or the spectrogram of its call; Label6 at
// the panel's foot, level with 説明, switches between them. The spectrogram
// takes the panel above that row, so the switch and 説明 never cover it.
inline const QString ShowSpectrogram = QStringLiteral("■声紋");
inline const QString ShowPicture = QStringLiteral("■絵");
inline constexpr TwipsRect SpectrogramRect{90, 510, 4470, 4560};

// Beside the switch, in the same row, Label7 and Label8 step through the bird's
// pictures and recordings ("姿 2/3": the second of three; a click shows the
// next); above the row Label9 says what they show: plumage, the kind of call,
// how it is written down, whom each is owed to.
QString pictureStepText(int shown, int count);
QString callStepText(int shown, int count);

WindowSpec window(const SeasonTable& season);
std::vector<ControlSpec> controls(const SeasonTable& season);

// The controls the reference screen's code works with, found once when its
// window is built.
struct Controls
{
    nameboard::Labels names;                // Label1(0)..Label1(39): the forty names
    FormLabel* toQuiz;                      // Label4: ■ピヨ探し, the quiz of the set
    FormLabel* toMenu;                      // Label5: ■メニュー
    PictureBox* picture;                    // Image1: the bird's picture
    PictureBox* viewerClickArea;            // Image2: closes the description viewer
    ListBox* viewer;                        // List1: the description viewer
    FormButton* describe;                   // Command1: 説明, opens the viewer
    SoundPlayer* call;                      // MediaPlayer1: the bird's call
    FormLabel* panelSwitch;                 // Label6: ■声紋 / ■絵, the picture panel's switch
    FormLabel* pictureStep;                 // Label7: 姿 1/3, the next picture
    FormLabel* callStep;                    // Label8: 声 1/2, the next recording
    FormLabel* exemplarInfo;                // Label9: what the picture and recording on show are
    SpectrogramView* spectrogram = nullptr; // over the picture panel; made by the screen
};
Controls controlsOf(const Form& form);

} // namespace reference
