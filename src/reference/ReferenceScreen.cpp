#include "ReferenceScreen.h"

#include "Background.h"
#include "BirdShow.h"
#include "Form.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "ListBox.h"
#include "MediaPaths.h"
#include "NameBoard.h"
#include "PictureBox.h"
#include "SpectrogramView.h"

ReferenceScreen::ReferenceScreen(Season season, ScreenServices& services, QObject* parent)
    : Screen(parent), m_season(reference::seasonTable(season)), m_services(services)
{}

Form* ReferenceScreen::buildForm()
{
    auto* form = new Form(reference::window(m_season), reference::controls(m_season), m_services.makePlayer,
                          windowScale());
    m_ui = reference::controlsOf(*form);
    // Over the picture panel, under its switch.
    m_ui.spectrogram = new SpectrogramView(form);
    m_ui.spectrogram->setTwipsRect(reference::SpectrogramRect);
    m_ui.spectrogram->stackUnder(m_ui.panelSwitch);
    m_ui.spectrogram->setVisible(false);
    if (SoundPlayer* call = callPlayer())
        m_ui.spectrogram->follow(*call);
    connect(m_ui.panelSwitch, &FormLabel::clicked, this, &ReferenceScreen::onPanelSwitchClicked);
    for (int i = 0; i < birds::BoardSize; ++i)
        connect(name(i), &FormLabel::clicked, this, [this, i] { onNameClicked(i); });
    connect(m_ui.describe, &FormButton::clicked, this, &ReferenceScreen::onDescriptionClicked);
    connect(m_ui.viewer, &ListBox::clicked, this, &ReferenceScreen::closeViewer);
    connect(m_ui.viewerClickArea, &PictureBox::clicked, this, &ReferenceScreen::closeViewer);
    connect(m_ui.toQuiz, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(m_season.quiz); });
    connect(m_ui.toMenu, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(ScreenId::Menu); });
    form->setEscape([this]() -> QWidget* { return m_ui.toMenu; });
    return form;
}

void ReferenceScreen::load()
{
    DataRoot = media::dataRoot();
    callPlayer()->hide();
    MarkedEntry = 0;
    PictureArrived = false;
    Design = zoom::designRectOf(*m_ui.picture);
    BirdNumbers = birds::numberTable(m_season.season);
    // Files asked for while the screen was last open are no longer wanted.
    m_birdRequest.cancel();
    m_descriptionRequest.cancel();
}

void ReferenceScreen::onNameClicked(int index)
{
    m_ui.viewer->setVisible(false);
    m_descriptionRequest.cancel();
    callPlayer()->stop();
    if (MarkedEntry > 0)
        name(MarkedEntry - 1)->setBackColour(nameboard::Resting);
    SelectedEntry = qint16(index + 1);
    name(index)->setBackColour(nameboard::Marked);
    NumberText = media::birdNumberText(BirdNumbers[SelectedEntry]);
    presentation::hideBird(*m_ui.picture);
    PictureArrived = false;
    m_ui.spectrogram->clear();
    m_ui.describe->setVisible(true);
    m_ui.panelSwitch->setVisible(true);
    showPanel();
    MarkedEntry = SelectedEntry;

    // The picture grows in and the call starts once the files have been read.
    m_birdRequest.start(
        *this,
        [root = DataRoot, number = NumberText, fineness = form()->pictureFineness()] {
            return presentation::readBirdMedia(root, number, fineness);
        },
        [this](const presentation::BirdMedia& bird) {
            presentation::showBird(*m_ui.picture, Design, bird, callPlayer());
            PictureArrived = true;
            if (ShowingSpectrogram)
                presentation::hideBird(*m_ui.picture);
        });
}

void ReferenceScreen::onDescriptionClicked()
{
    if (NumberText.isEmpty())
        return;
    ListBox* list = m_ui.viewer;
    list->clearLines();
    list->setVisible(true);
    m_ui.viewerClickArea->setVisible(true);

    // The text is listed once it has been read.
    m_descriptionRequest.start(
        *this,
        [root = DataRoot, number = NumberText] { return presentation::readBirdDescription(root, number); },
        [this](const QStringList& lines) { m_ui.viewer->addLines(lines); });
}

void ReferenceScreen::closeViewer()
{
    m_descriptionRequest.cancel();
    ListBox* list = m_ui.viewer;
    list->clearLines();
    list->setVisible(false);
    m_ui.viewerClickArea->setVisible(false);
}

void ReferenceScreen::onPanelSwitchClicked()
{
    ShowingSpectrogram = !ShowingSpectrogram;
    showPanel();
    // The picture grows in again, as it did when its name was clicked.
    if (!ShowingSpectrogram && PictureArrived && m_ui.picture->hasPicture())
        zoom::zoomIn(*m_ui.picture, Design);
}

// The switch names what a click on it shows.
void ReferenceScreen::showPanel()
{
    m_ui.panelSwitch->setText(ShowingSpectrogram ? reference::ShowPicture : reference::ShowSpectrogram);
    m_ui.spectrogram->setVisible(ShowingSpectrogram);
    if (ShowingSpectrogram)
        presentation::hideBird(*m_ui.picture);
}

FormLabel* ReferenceScreen::name(int position) const
{
    return m_ui.names.at(std::size_t(position));
}

SoundPlayer* ReferenceScreen::callPlayer() const
{
    return m_ui.call;
}
