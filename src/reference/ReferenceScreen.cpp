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

ReferenceScreen::ReferenceScreen(Season season, ScreenServices& services, QObject* parent)
    : Screen(parent), m_season(reference::seasonTable(season)), m_services(services)
{}

Form* ReferenceScreen::buildForm()
{
    auto* form = new Form(reference::window(m_season), reference::controls(m_season), m_services.makePlayer,
                          windowScale());
    m_ui = reference::controlsOf(*form);
    for (int i = 0; i < birds::BoardSize; ++i)
        connect(name(i), &FormLabel::clicked, this, [this, i] { onNameClicked(i); });
    connect(m_ui.describe, &FormButton::clicked, this, &ReferenceScreen::onDescriptionClicked);
    connect(m_ui.viewer, &ListBox::clicked, this, &ReferenceScreen::closeViewer);
    connect(m_ui.viewerClickArea, &PictureBox::clicked, this, &ReferenceScreen::closeViewer);
    connect(m_ui.toQuiz, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(m_season.quiz); });
    connect(m_ui.toMenu, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(ScreenId::Menu); });
    return form;
}

void ReferenceScreen::load()
{
    DataRoot = media::dataRoot();
    callPlayer()->hide();
    MarkedEntry = 0;
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
    m_ui.describe->setVisible(true);
    MarkedEntry = SelectedEntry;

    // The picture grows in and the call starts once the files have been read.
    m_birdRequest.start(
        *this,
        [root = DataRoot, number = NumberText, fineness = form()->pictureFineness()] {
            return presentation::readBirdMedia(root, number, fineness);
        },
        [this](const presentation::BirdMedia& bird) {
            presentation::showBird(*m_ui.picture, Design, bird, callPlayer());
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

FormLabel* ReferenceScreen::name(int position) const
{
    return m_ui.names.at(std::size_t(position));
}

SoundPlayer* ReferenceScreen::callPlayer() const
{
    return m_ui.call;
}
