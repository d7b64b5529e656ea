#include "ReferenceScreen.h"

#include "DescriptionReader.h"
#include "MediaPaths.h"
#include "NameBoard.h"
#include "PictureLoader.h"
#include "ReferenceLayout.h"
#include "ZoomIn.h"
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
}

void ReferenceScreen::onNameClicked(int index)
{
    form()->list(u"List1"_s)->setVisible(false);
    callPlayer()->stop();
    if (MarkedEntry > 0)
        name(MarkedEntry - 1)->setBackColour(nameboard::Resting);
    SelectedEntry = qint16(index + 1);
    name(index)->setBackColour(nameboard::Marked);
    NumberText = media::birdNumberText(BirdNumbers[SelectedEntry]);

    PictureBox* image1 = form()->picture(u"Image1"_s);
    image1->setVisible(false);
    image1->setStretch(false);
    image1->setPicture(loadPicture(media::birdFilePath(DataRoot, media::BirdFile::Picture, NumberText)));
    zoom::zoomIn(*image1, {DesignTop, DesignLeft, DesignWidth, DesignHeight});
    form()->button(u"Command1"_s)->setVisible(true);

    // Whatever keeps the call from opening (no file, no 声 directory), the bird
    // is still marked; otherwise its name would stay red after the next click.
    const QString call = media::birdFilePath(DataRoot, media::BirdFile::Call, NumberText);
    if (media::callFileCheck(call)) {
        callPlayer()->setSource(call);
        callPlayer()->setRepeatCount(0);
    }
    MarkedEntry = SelectedEntry;
}

void ReferenceScreen::onDescriptionClicked()
{
    if (NumberText.isEmpty())
        return;
    ListBox* list = form()->list(u"List1"_s);
    list->clearLines();
    list->setVisible(true);
    list->addLines(
        description::read(media::birdFilePath(DataRoot, media::BirdFile::Description, NumberText)));
    form()->picture(u"Image2"_s)->setVisible(true);
}

void ReferenceScreen::closeViewer()
{
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
