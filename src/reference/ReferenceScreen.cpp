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
    connect(m_ui.pictureStep, &FormLabel::clicked, this, [this] { stepExemplar(false); });
    connect(m_ui.callStep, &FormLabel::clicked, this, [this] { stepExemplar(true); });
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
    m_stepRequest.cancel();
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
    m_stepRequest.cancel();
    m_exemplars = {};
    m_shown = {};
    for (FormLabel* label : {m_ui.pictureStep, m_ui.callStep, m_ui.exemplarInfo})
        label->setVisible(false);

    // The picture grows in and the call starts once the files have been read.
    m_birdRequest.start(
        *this,
        [root = DataRoot, number = NumberText, fineness = form()->pictureFineness()] {
            return std::pair{presentation::findBirdExemplars(root, number),
                             presentation::readBirdMedia(root, number, fineness)};
        },
        [this](const std::pair<presentation::BirdExemplars, presentation::BirdMedia>& found) {
            const auto& [exemplars, bird] = found;
            presentation::showBird(*m_ui.picture, Design, bird, callPlayer());
            PictureArrived = true;
            if (ShowingSpectrogram)
                presentation::hideBird(*m_ui.picture);
            m_exemplars = exemplars;
            m_shown = bird;
            showExemplars();
        });
}

// The bird's next picture grows in, its call going on; or its next recording
// starts, its picture staying. After the last comes the first again.
void ReferenceScreen::stepExemplar(bool call)
{
    const QList<int>& numbers = call ? m_exemplars.calls : m_exemplars.pictures;
    if (numbers.size() < 2 || NumberText.isEmpty())
        return;
    const int now = call ? m_shown.callExemplar : m_shown.pictureExemplar;
    const int next = numbers.at((numbers.indexOf(now) + 1) % numbers.size());
    // Only the one stepped is read: the other stays as it is on show.
    const int picture = call ? 0 : next;
    const int sound = call ? next : 0;
    m_stepRequest.start(
        *this,
        [root = DataRoot, number = NumberText, fineness = form()->pictureFineness(), picture, sound] {
            return presentation::readBirdMedia(root, number, fineness, picture, sound);
        },
        [this, call](const presentation::BirdMedia& bird) {
            if (call) {
                m_shown.call = bird.call;
                m_shown.callExemplar = bird.callExemplar;
                m_shown.callTags = bird.callTags;
                callPlayer()->stop();
                if (!bird.call.isEmpty()) {
                    callPlayer()->setSource(bird.call);
                    callPlayer()->setRepeatCount(0);
                }
            } else {
                m_shown.picture = bird.picture;
                m_shown.pictureExemplar = bird.pictureExemplar;
                m_shown.pictureTags = bird.pictureTags;
                presentation::showBird(*m_ui.picture, Design, m_shown, nullptr);
                if (ShowingSpectrogram)
                    presentation::hideBird(*m_ui.picture);
            }
            showExemplars();
        });
}

// Which picture and recording are on show, of how many, and what they are.
void ReferenceScreen::showExemplars()
{
    const qsizetype picture = m_exemplars.pictures.indexOf(m_shown.pictureExemplar);
    const qsizetype call = m_exemplars.calls.indexOf(m_shown.callExemplar);
    m_ui.pictureStep->setText(reference::pictureStepText(int(picture) + 1, int(m_exemplars.pictures.size())));
    m_ui.callStep->setText(reference::callStepText(int(call) + 1, int(m_exemplars.calls.size())));
    QStringList parts;
    if (picture >= 0)
        parts << presentation::exemplarCaption(m_exemplars.pictureTags.at(picture));
    if (call >= 0)
        parts << presentation::exemplarCaption(m_exemplars.callTags.at(call));
    parts.removeAll(QString());
    m_ui.exemplarInfo->setText(parts.join(u"　"));
    m_ui.pictureStep->setVisible(true);
    m_ui.callStep->setVisible(true);
    m_ui.exemplarInfo->setVisible(!parts.isEmpty());
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
