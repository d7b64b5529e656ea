#pragma once

#include "Background.h"
#include "BirdShow.h"
#include "BirdTables.h"
#include "ReferenceLayout.h"
#include "Screen.h"
#include "ScreenServices.h"
#include "Season.h"

// Looking birds up: a click on a name marks it red, grows the bird's picture
// into the panel, shows the 説明 button and starts the call repeating. 説明
// opens the bird's description in a list over the board; a click on the list,
// the board or the picture closes it again. ■声紋 turns the picture panel over
// to the spectrogram of the call, its cursor following what is heard, for this
// bird and the next ones clicked, until ■絵 turns it back. A bird with several
// pictures or recordings shows them one after another, a click on 姿 or 声 at a time.
class ReferenceScreen final : public Screen
{
    Q_OBJECT
public:
    ReferenceScreen(Season season, ScreenServices& services, QObject* parent = nullptr);

protected:
    Form* buildForm() override;
    void load() override;

private:
    void onNameClicked(int index);
    void onDescriptionClicked(); // Command1: open the viewer
    void closeViewer();          // a click on List1 or Image2
    void onPanelSwitchClicked(); // Label6: picture or spectrogram
    void showPanel();
    void stepExemplar(bool call); // Label7, Label8: the next picture or recording
    void showExemplars();

    FormLabel* name(int position) const;
    SoundPlayer* callPlayer() const;

    const reference::SeasonTable& m_season;
    ScreenServices& m_services;
    reference::Controls m_ui{}; // valid while the window is open

    birds::NumberTable BirdNumbers{};
    qint16 SelectedEntry = 0;
    qint16 MarkedEntry = 0;
    bool ShowingSpectrogram = false; // kept while the screen lives, like the other fields
    bool PictureArrived = false;     // the chosen bird's picture is in the box
    zoom::DesignRect Design{};       // the picture box as laid out: where the zoom-in ends
    QString DataRoot;
    QString NumberText;
    LatestRequest m_birdRequest;
    LatestRequest m_descriptionRequest;
    LatestRequest m_stepRequest;
    presentation::BirdExemplars m_exemplars; // the chosen bird's pictures and recordings
    presentation::BirdMedia m_shown;         // which of them are on show
};
