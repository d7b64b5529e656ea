#include "ReferenceScreen.h"

#include "Background.h"
#include "BirdShow.h"
#include "MediaPaths.h"
#include "NameBoard.h"
#include "ReferenceLayout.h"
#include "form/Form.h"
#include "form/FormButton.h"
#include "form/FormLabel.h"
#include "form/ListBox.h"
#include "form/PictureBox.h"

#include <cmath>

using namespace Qt::StringLiterals;

ReferenceScreen::ReferenceScreen(Season season, ScreenServices& services, QObject* parent)
    : Screen(parent), m_season(reference::seasonTable(season)), m_services(services)
{}

Form* ReferenceScreen::buildForm()
{
    auto* form = new Form(reference::window(m_season), reference::controls(m_season), m_services.makePlayer);
    for (int i = 0; i < birds::BoardSize; ++i)
        connect(form->label(nameboard::Name, i), &FormLabel::clicked, this, [this, i] { onNameClicked(i); });
    connect(form->button(u"Command1"_s), &FormButton::clicked, this, &ReferenceScreen::onDescriptionClicked);
    connect(form->list(u"List1"_s), &ListBox::clicked, this, &ReferenceScreen::closeViewer);
    connect(form->picture(u"Image2"_s), &PictureBox::clicked, this, &ReferenceScreen::closeViewer);
    connect(form->label(u"Label4"_s), &FormLabel::clicked, this,
            [this] { Q_EMIT switchRequested(m_season.quiz); });
    connect(form->label(u"Label5"_s), &FormLabel::clicked, this,
            [this] { Q_EMIT switchRequested(ScreenId::Menu); });
    return form;
}

void ReferenceScreen::load()
{
    DataRoot = media::dataRoot();
    callPlayer()->hide();
    MarkedEntry = 0;
    const PictureBox* image1 = form()->picture(u"Image1"_s);
    DesignTop = qint16(std::lround(image1->top()));
    DesignLeft = qint16(std::lround(image1->left()));
    DesignWidth = qint16(std::lround(image1->width()));
    DesignHeight = qint16(std::lround(image1->height()));
    BirdNumbers = birds::numberTable(m_season.season);
    // Files asked for while the screen was last open are no longer wanted.
    m_birdRequest.cancel();
    m_descriptionRequest.cancel();
}

void ReferenceScreen::onNameClicked(int index)
{
    form()->list(u"List1"_s)->setVisible(false);
    m_descriptionRequest.cancel();
    callPlayer()->stop();
    if (MarkedEntry > 0)
        name(MarkedEntry - 1)->setBackColour(nameboard::Resting);
    SelectedEntry = qint16(index + 1);
    name(index)->setBackColour(nameboard::Marked);
    NumberText = media::birdNumberText(BirdNumbers[SelectedEntry]);
    presentation::hideBird(*form()->picture(u"Image1"_s));
    form()->button(u"Command1"_s)->setVisible(true);
    MarkedEntry = SelectedEntry;

    // The picture grows in and the call starts once the files have been read.
    m_birdRequest.start(
        *this, [root = DataRoot, number = NumberText] { return presentation::readBirdMedia(root, number); },
        [this](const presentation::BirdMedia& bird) {
            presentation::showBird(*form()->picture(u"Image1"_s),
                                   {DesignTop, DesignLeft, DesignWidth, DesignHeight}, bird, callPlayer());
        });
}

void ReferenceScreen::onDescriptionClicked()
{
    if (NumberText.isEmpty())
        return;
    ListBox* list = form()->list(u"List1"_s);
    list->clearLines();
    list->setVisible(true);
    form()->picture(u"Image2"_s)->setVisible(true);

    // The text is listed once it has been read.
    m_descriptionRequest.start(
        *this,
        [root = DataRoot, number = NumberText] { return presentation::readBirdDescription(root, number); },
        [this](const QStringList& lines) { form()->list(u"List1"_s)->addLines(lines); });
}

void ReferenceScreen::closeViewer()
{
    m_descriptionRequest.cancel();
    ListBox* list = form()->list(u"List1"_s);
    list->clearLines();
    list->setVisible(false);
    form()->picture(u"Image2"_s)->setVisible(false);
}

FormLabel* ReferenceScreen::name(int position) const
{
    return form()->label(nameboard::Name, position);
}

SoundPlayer* ReferenceScreen::callPlayer() const
{
    return form()->player(u"MediaPlayer1"_s);
}
