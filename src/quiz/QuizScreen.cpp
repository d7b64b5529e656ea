#include "QuizScreen.h"

#include "BirdShow.h"
#include "MediaPaths.h"
#include "NameBoard.h"
#include "QuizLayout.h"
#include "form/Form.h"
#include "form/FormLabel.h"
#include "form/IntervalTimer.h"
#include "form/PictureBox.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int Tick = 100; // ms; a started timer polls its wait every tick
constexpr int Stopped = 0;

constexpr double StartDelay = 1.0;
constexpr double JudgeDelay = 0.1;
constexpr double FeedbackTime = 1.5;
constexpr double RevealTime = 2.0;

constexpr int RecentWindow = 10;

} // namespace

QuizScreen::QuizScreen(Season season, ScreenServices& services, QObject* parent)
    : Screen(parent), m_season(quiz::seasonTable(season)), m_services(services)
{}

Form* QuizScreen::buildForm()
{
    auto* form = new Form(quiz::window(m_season), quiz::controls(m_season), m_services.makePlayer);
    for (int i = 0; i < birds::BoardSize; ++i)
        connect(form->label(nameboard::Name, i), &FormLabel::clicked, this, [this, i] { onNameClicked(i); });
    connect(form->label(u"Label3"_s), &FormLabel::clicked, this,
            [this] { Q_EMIT switchRequested(m_season.reference); });
    connect(form->label(u"Label4"_s), &FormLabel::clicked, this,
            [this] { Q_EMIT switchRequested(ScreenId::Menu); });
    connect(form->timer(u"Timer1"_s), &IntervalTimer::tick, this, &QuizScreen::onStartTick);
    connect(form->timer(u"Timer2"_s), &IntervalTimer::tick, this, &QuizScreen::onAnswerTick);
    connect(form->timer(u"Timer3"_s), &IntervalTimer::tick, this, &QuizScreen::onFeedbackTick);
    connect(form->timer(u"Timer4"_s), &IntervalTimer::tick, this, &QuizScreen::onRevealTick);
    return form;
}

void QuizScreen::load()
{
    DataRoot = media::dataRoot();
    player(u"MediaPlayer1"_s)->hide();
    player(u"MediaPlayer2"_s)->hide();
    const PictureBox* image1 = image(u"Image1"_s);
    DesignTop = qint16(std::lround(image1->top()));
    DesignLeft = qint16(std::lround(image1->left()));
    DesignWidth = qint16(std::lround(image1->width()));
    DesignHeight = qint16(std::lround(image1->height()));
    BirdNumbers = birds::numberTable(m_season.season);
    RightCount = 0;
    WrongCount = 0;
    RecentEntries.fill(0);
    // A showing left while a question was open would otherwise still accept a
    // click during the next start-up, judged against a bird no longer on show.
    Accepting = 0;
    m_birdRequest.cancel();
    readFeedbackMedia();
    timer(u"Timer1"_s)->setInterval(Tick);
    restartWait();
}

// The right and wrong marks are read, and the feedback sounds found, once per
// showing, long before the first answer.
void QuizScreen::readFeedbackMedia()
{
    RightMark = {};
    WrongMark = {};
    RightSound = media::feedbackFilePath(DataRoot, media::FeedbackFile::RightSound);
    WrongSound = media::feedbackFilePath(DataRoot, media::FeedbackFile::WrongSound);
    m_feedbackRequest.start(
        *this, [root = DataRoot] { return presentation::readFeedbackMedia(root); },
        [this](const presentation::FeedbackMedia& feedback) {
            RightMark = QPixmap::fromImage(feedback.rightPicture);
            WrongMark = QPixmap::fromImage(feedback.wrongPicture);
            RightSound = feedback.rightSound;
            WrongSound = feedback.wrongSound;
        });
}

void QuizScreen::onStartTick()
{
    if (!waitPassed(StartDelay))
        return;
    timer(u"Timer1"_s)->setInterval(Stopped);
    ChooseQuestion();
}

// Draws until a bird outside the last ten comes up, then presents it.
void QuizScreen::ChooseQuestion()
{
    do {
        m_services.random.reseed(m_services.clock.seconds());
        const int drawn = int(m_services.random.draw() * birds::BoardSize);
        CurrentEntry = qint16(std::clamp(drawn, 0, birds::BoardSize - 1) + 1);
    } while (!CheckRecent());
    PresentQuestion();
}

// Refuses a bird among the last ten; otherwise moves the window on by one.
bool QuizScreen::CheckRecent()
{
    for (int slot = 1; slot <= RecentWindow; ++slot)
        if (RecentEntries[slot] == CurrentEntry)
            return false;
    for (int slot = 1; slot < RecentWindow; ++slot)
        RecentEntries[slot] = RecentEntries[slot + 1];
    RecentEntries[RecentWindow] = CurrentEntry;
    return true;
}

void QuizScreen::PresentQuestion()
{
    Accepting = 1;
    NumberText = media::birdNumberText(BirdNumbers[CurrentEntry]);
    presentation::hideBird(*image(u"Image1"_s));

    // The picture grows in and the call starts once the files have been read. An
    // answer given before they arrive still sees the bird, but hears no call.
    m_birdRequest.start(
        *this, [root = DataRoot, number = NumberText] { return presentation::readBirdMedia(root, number); },
        [this](const presentation::BirdMedia& bird) {
            presentation::showBird(*image(u"Image1"_s), {DesignTop, DesignLeft, DesignWidth, DesignHeight},
                                   bird, Accepting == 1 ? player(u"MediaPlayer1"_s) : nullptr);
        });
}

void QuizScreen::onNameClicked(int index)
{
    if (Accepting != 1) {
        Accepting = 0;
        return;
    }
    ClickedPosition = qint16(index);
    player(u"MediaPlayer1"_s)->stop();
    name(index)->setColours(nameboard::Judged, nameboard::JudgedText);
    AnsweredEntry = qint16(index + 1);
    restartWait();
    timer(u"Timer2"_s)->setInterval(Tick);
    Accepting = 0;
}

void QuizScreen::onAnswerTick()
{
    if (!waitPassed(JudgeDelay))
        return;
    const bool right = AnsweredEntry == CurrentEntry;
    SoundPlayer* feedback = player(u"MediaPlayer2"_s);
    feedback->setSource(right ? RightSound : WrongSound);
    feedback->setRepeatCount(1);
    PictureBox* image3 = image(u"Image3"_s);
    image3->setPicture(right ? RightMark : WrongMark);
    image3->setVisible(true);
    if (right)
        form()->label(u"Label5"_s)->setText(QString::number(++RightCount));
    else
        form()->label(u"Label6"_s)->setText(QString::number(++WrongCount));

    timer(u"Timer2"_s)->setInterval(Stopped);
    restartWait();
    timer(u"Timer3"_s)->setInterval(Tick);
}

void QuizScreen::onFeedbackTick()
{
    if (!waitPassed(FeedbackTime))
        return;
    name(ClickedPosition)->setColours(nameboard::Resting, nameboard::Text);
    image(u"Image3"_s)->setVisible(false);
    timer(u"Timer3"_s)->setInterval(Stopped);
    if (AnsweredEntry == CurrentEntry)
        ChooseQuestion();
    else
        RevealAnswer();
}

void QuizScreen::RevealAnswer()
{
    name(CurrentEntry - 1)->setBackColour(nameboard::Marked);
    restartWait();
    timer(u"Timer4"_s)->setInterval(Tick);
}

void QuizScreen::onRevealTick()
{
    if (!waitPassed(RevealTime))
        return;
    name(CurrentEntry - 1)->setBackColour(nameboard::Resting);
    timer(u"Timer4"_s)->setInterval(Stopped);
    ChooseQuestion();
}

// A wait starts on a whole second (a half rounds to even) and ends at the first
// tick that is strictly more than its length after that second.
void QuizScreen::restartWait()
{
    StartSeconds = std::llrint(m_services.clock.seconds());
}

bool QuizScreen::waitPassed(double seconds) const
{
    return m_services.clock.seconds() - double(StartSeconds) > seconds;
}

FormLabel* QuizScreen::name(int position) const
{
    return form()->label(nameboard::Name, position);
}

PictureBox* QuizScreen::image(const QString& name) const
{
    return form()->picture(name);
}

IntervalTimer* QuizScreen::timer(const QString& name) const
{
    return form()->timer(name);
}

SoundPlayer* QuizScreen::player(const QString& name) const
{
    return form()->player(name);
}
