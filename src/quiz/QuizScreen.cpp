#include "QuizScreen.h"

#include "AnswerHistory.h"
#include "BirdShow.h"
#include "MediaPaths.h"
#include "NameBoard.h"
#include "QuizLayout.h"
#include "ResultsText.h"
#include "Form.h"
#include "FormLabel.h"
#include "IntervalTimer.h"
#include "ListBox.h"
#include "PictureBox.h"

#include <QSettings>

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

// One setting for both season sets: whoever studies by ear does so in both.
const QString ByEarKey = u"quiz/byEar"_s;
// Likewise one for both: the weak birds of each set are its own, the wish to
// see them more often is the user's.
const QString WeakFirstKey = u"quiz/weakFirst"_s;

QSettings settings()
{
    return QSettings(u"piyo"_s, u"piyo"_s);
}

} // namespace

QuizScreen::QuizScreen(Season season, ScreenServices& services, QObject* parent)
    : Screen(parent), m_season(quiz::seasonTable(season)), m_services(services)
{}

Form* QuizScreen::buildForm()
{
    auto* form = new Form(quiz::window(m_season), quiz::controls(m_season), m_services.makePlayer);
    m_ui = quiz::controlsOf(*form);
    for (int i = 0; i < birds::BoardSize; ++i)
        connect(name(i), &FormLabel::clicked, this, [this, i] { onNameClicked(i); });
    connect(m_ui.Label3, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(m_season.reference); });
    connect(m_ui.Label4, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(ScreenId::Menu); });
    connect(m_ui.Label7, &FormLabel::clicked, this, &QuizScreen::onByEarClicked);
    for (FormLabel* count : {m_ui.Label5, m_ui.Label6})
        connect(count, &FormLabel::clicked, this, &QuizScreen::onScoreClicked);
    connect(m_ui.Image2, &PictureBox::clicked, this, &QuizScreen::onScoreClicked);
    connect(m_ui.Label9, &FormLabel::clicked, this, &QuizScreen::onWeakFirstClicked);
    connect(m_ui.List1, &ListBox::clicked, this, &QuizScreen::closeResults);
    connect(m_ui.Image4, &PictureBox::clicked, this, &QuizScreen::closeResults);
    connect(m_ui.Timer1, &IntervalTimer::tick, this, &QuizScreen::onStartTick);
    connect(m_ui.Timer2, &IntervalTimer::tick, this, &QuizScreen::onAnswerTick);
    connect(m_ui.Timer3, &IntervalTimer::tick, this, &QuizScreen::onFeedbackTick);
    connect(m_ui.Timer4, &IntervalTimer::tick, this, &QuizScreen::onRevealTick);
    return form;
}

void QuizScreen::load()
{
    DataRoot = media::dataRoot();
    m_ui.MediaPlayer1->hide();
    m_ui.MediaPlayer2->hide();
    Design = zoom::designRectOf(*m_ui.Image1);
    BirdNumbers = birds::numberTable(m_season.season);
    RightCount = 0;
    WrongCount = 0;
    RecentEntries.fill(0);
    // A showing left while a question was open would otherwise still accept a
    // click during the next start-up, judged against a bird no longer on show.
    Accepting = 0;
    m_birdRequest.cancel();
    readFeedbackMedia();
    m_byEar = settings().value(ByEarKey, false).toBool();
    m_ui.Label7->setText(m_byEar ? quiz::ByEarOn : quiz::ByEarOff);
    m_weakFirst = settings().value(WeakFirstKey, false).toBool();
    m_ui.Label9->setText(m_weakFirst ? quiz::WeakFirstOn : quiz::WeakFirstOff);
    checkCalls();
    readLastAnswers();
    m_ui.Timer1->setInterval(Tick);
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
        *this,
        [root = DataRoot, fineness = form()->pictureFineness()] {
            return presentation::readFeedbackMedia(root, fineness);
        },
        [this](const presentation::FeedbackMedia& feedback) {
            RightMark = QPixmap::fromImage(feedback.rightPicture);
            WrongMark = QPixmap::fromImage(feedback.wrongPicture);
            RightSound = feedback.rightSound;
            WrongSound = feedback.wrongSound;
        });
}

// Which birds have a call to be asked by, read once per showing.
void QuizScreen::checkCalls()
{
    m_callsKnown = false;
    m_choiceWaitsForCalls = false;
    m_callable.fill(false);
    auto check = [root = DataRoot, numbers = BirdNumbers] {
        const QStringList roots = media::mediaRoots(root);
        std::array<bool, birds::BoardSize + 1> callable{};
        for (int entry = 1; entry <= birds::BoardSize; ++entry)
            callable[std::size_t(entry)] = media::callFileCheck(media::findBirdFile(
                roots, media::BirdFile::Call, media::birdNumberText(numbers[std::size_t(entry)])));
        return callable;
    };
    m_callsRequest.start(*this, check, [this](const std::array<bool, birds::BoardSize + 1>& callable) {
        m_callable = callable;
        m_callsKnown = true;
        if (m_choiceWaitsForCalls) {
            m_choiceWaitsForCalls = false;
            ChooseQuestion();
        }
    });
}

// Each bird's latest answers, read from the history once per showing; from
// then on the answers judged here keep them up to date in memory. Until they
// come, or with no history, the draw is the plain one.
void QuizScreen::readLastAnswers()
{
    m_weakBirds.reset();
    m_judgedBeforeWeighing.clear();
    m_lastAnswersPending = m_services.history != nullptr;
    if (!m_services.history)
        return;
    const quint64 tag = ++m_lastAnswersAsked;
    m_services.history->lastAnswers(m_season.season, quiz::AnswersWeighed, form(),
                                    [this, tag](const history::LastAnswers& answers) {
                                        if (isOpen() && tag == m_lastAnswersAsked)
                                            onLastAnswers(answers);
                                    });
}

void QuizScreen::onLastAnswers(const history::LastAnswers& answers)
{
    m_lastAnswersPending = false;
    if (!answers)
        return; // the history is off for this run
    m_weakBirds.emplace(*answers, BirdNumbers);
    // The history answered before writing anything recorded after the question
    // was put to it, so the answers judged meanwhile are not among its own.
    for (const auto& [entry, right] : m_judgedBeforeWeighing)
        m_weakBirds->add(entry, right);
    m_judgedBeforeWeighing.clear();
}

int QuizScreen::callableCount() const
{
    return int(std::count(m_callable.begin() + 1, m_callable.end(), true));
}

// The bird on show follows at once while its answer is open: its picture goes
// (if it has a call to be asked by) or grows in. Turned off while no bird could
// be asked, the quiz goes on at once.
void QuizScreen::onByEarClicked()
{
    m_byEar = !m_byEar;
    settings().setValue(ByEarKey, m_byEar);
    m_ui.Label7->setText(m_byEar ? quiz::ByEarOn : quiz::ByEarOff);
    FormLabel* noCalls = m_ui.Label8;
    if (!m_byEar && noCalls->isVisible()) {
        noCalls->setVisible(false);
        ChooseQuestion();
        return;
    }
    if (Accepting != 1 || m_questionByEar == m_byEar)
        return;
    if (!m_byEar) {
        m_questionByEar = false;
        revealHeldBird();
    } else if (!m_birdOnShow || !m_birdOnShow->call.isEmpty()) {
        m_questionByEar = true;
        m_heldBird = m_birdOnShow;
        presentation::hideBird(*m_ui.Image1);
    }
}

// The results of the season set, worked out on the history's thread; the quiz
// goes on underneath and its counts stay as they are.
void QuizScreen::onScoreClicked()
{
    ListBox* list = m_ui.List1;
    list->clearLines();
    list->setVisible(true);
    m_ui.Label9->setVisible(true);
    m_ui.Image4->setVisible(true);
    if (!m_services.history) {
        showResultLines({quiz::NoHistory});
        return;
    }
    const quint64 tag = ++m_resultsAsked;
    m_services.history->results(m_season.season, QDateTime::currentDateTimeUtc(), form(),
                                [this, tag](const history::Results& results) {
                                    if (!isOpen() || tag != m_resultsAsked)
                                        return;
                                    showResultLines(quiz::resultLines(results));
                                });
}

// The list is no taller than its lines, so that a click on the board below them
// reaches the click area and closes the view, as with the description viewer.
void QuizScreen::showResultLines(const QStringList& lines)
{
    ListBox* list = m_ui.List1;
    list->addLines(lines);
    const int room = toPixels(quiz::ResultsRect, form()->scale()).height();
    list->resize(list->width(),
                 std::min(room, int(lines.size()) * list->rowHeight() + 2 * list->frameWidth()));
}

void QuizScreen::closeResults()
{
    ++m_resultsAsked; // results still on their way are no longer wanted
    ListBox* list = m_ui.List1;
    list->clearLines();
    list->setVisible(false);
    m_ui.Label9->setVisible(false);
    m_ui.Image4->setVisible(false);
}

// The next bird drawn follows the setting; the view stays open.
void QuizScreen::onWeakFirstClicked()
{
    m_weakFirst = !m_weakFirst;
    settings().setValue(WeakFirstKey, m_weakFirst);
    m_ui.Label9->setText(m_weakFirst ? quiz::WeakFirstOn : quiz::WeakFirstOff);
}

void QuizScreen::onStartTick()
{
    if (!waitPassed(StartDelay))
        return;
    m_ui.Timer1->setInterval(Stopped);
    ChooseQuestion();
}

// Draws until a bird outside the last ten comes up, then presents it. By ear,
// only birds with a call are drawn. 苦手優先 changes only where a draw falls:
// birds missed of late take a larger share of [0, 1), the rest is as always.
void QuizScreen::ChooseQuestion()
{
    if (m_byEar && !m_callsKnown) {
        m_choiceWaitsForCalls = true;
        return;
    }
    if (m_byEar && callableCount() == 0) {
        presentation::hideBird(*m_ui.Image1);
        m_ui.Label8->setVisible(true);
        return;
    }
    do {
        m_services.random.reseed(m_services.clock.seconds());
        const double r = m_services.random.draw();
        if (m_weakFirst && m_weakBirds) {
            CurrentEntry = qint16(m_weakBirds->entryAt(r));
        } else {
            const int drawn = int(r * birds::BoardSize);
            CurrentEntry = qint16(std::clamp(drawn, 0, birds::BoardSize - 1) + 1);
        }
    } while ((m_byEar && !m_callable[std::size_t(CurrentEntry)]) || !CheckRecent());
    PresentQuestion();
}

// Refuses a bird among the last ten; otherwise moves the window on by one. By
// ear with fewer than eleven birds to ask, the window shrinks to one less than
// their number, or no bird could ever come.
bool QuizScreen::CheckRecent()
{
    const int window = m_byEar ? std::min(RecentWindow, callableCount() - 1) : RecentWindow;
    for (int slot = RecentWindow - window + 1; slot <= RecentWindow; ++slot)
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
    presentation::hideBird(*m_ui.Image1);
    m_questionByEar = m_byEar;
    m_judged = false;
    m_heldBird.reset();
    m_birdOnShow.reset();
    m_shownAt = m_services.clock.seconds();

    // The picture grows in and the call starts once the files have been read. An
    // answer given before they arrive still sees the bird, but hears no call.
    // By ear the picture is held back until the answer is judged.
    m_birdRequest.start(
        *this,
        [root = DataRoot, number = NumberText, fineness = form()->pictureFineness()] {
            return presentation::readBirdMedia(root, number, fineness);
        },
        [this](const presentation::BirdMedia& bird) {
            if (Accepting == 1)
                m_shownAt = m_services.clock.seconds();
            m_birdOnShow = bird;
            if (m_questionByEar && !m_judged) {
                m_heldBird = bird;
                startCall(bird);
                return;
            }
            presentation::showBird(*m_ui.Image1, Design, bird, Accepting == 1 ? m_ui.MediaPlayer1 : nullptr);
        });
}

void QuizScreen::startCall(const presentation::BirdMedia& bird)
{
    if (Accepting != 1 || bird.call.isEmpty())
        return;
    SoundPlayer* call = m_ui.MediaPlayer1;
    call->setSource(bird.call);
    call->setRepeatCount(0);
}

// By ear, the user now sees what was heard.
void QuizScreen::showHeldBird()
{
    m_judged = true;
    revealHeldBird();
}

void QuizScreen::revealHeldBird()
{
    if (!m_heldBird)
        return;
    presentation::showBird(*m_ui.Image1, Design, *m_heldBird, nullptr);
    m_heldBird.reset();
}

void QuizScreen::recordAnswer(bool right)
{
    if (!m_services.history)
        return;
    history::Answer answer;
    answer.at = QDateTime::currentDateTimeUtc();
    answer.season = m_season.season;
    answer.mode = m_questionByEar ? history::QuizMode::ByEar : history::QuizMode::PictureAndCall;
    answer.shownBird = BirdNumbers[std::size_t(CurrentEntry)];
    answer.answeredBird = BirdNumbers[std::size_t(AnsweredEntry)];
    answer.right = right;
    answer.elapsedMs = std::max<qint64>(0, std::llround((m_clickedAt - m_shownAt) * 1000));
    m_services.history->record(answer);
}

// Every answer counts towards the bird's weight, 苦手優先 on or off, so that
// turning it on weighs what the user has just done too.
void QuizScreen::weighAnswer(bool right)
{
    if (m_weakBirds)
        m_weakBirds->add(CurrentEntry, right);
    else if (m_lastAnswersPending)
        m_judgedBeforeWeighing.emplace_back(CurrentEntry, right);
}

void QuizScreen::onNameClicked(int index)
{
    if (Accepting != 1) {
        Accepting = 0;
        return;
    }
    ClickedPosition = qint16(index);
    m_clickedAt = m_services.clock.seconds();
    m_ui.MediaPlayer1->stop();
    name(index)->setColours(nameboard::Judged, nameboard::JudgedText);
    AnsweredEntry = qint16(index + 1);
    restartWait();
    m_ui.Timer2->setInterval(Tick);
    Accepting = 0;
}

void QuizScreen::onAnswerTick()
{
    if (!waitPassed(JudgeDelay))
        return;
    const bool right = AnsweredEntry == CurrentEntry;
    showHeldBird();
    SoundPlayer* feedback = m_ui.MediaPlayer2;
    feedback->setSource(right ? RightSound : WrongSound);
    feedback->setRepeatCount(1);
    PictureBox* image3 = m_ui.Image3;
    image3->setPicture(right ? RightMark : WrongMark);
    image3->setVisible(true);
    if (right)
        m_ui.Label5->setText(QString::number(++RightCount));
    else
        m_ui.Label6->setText(QString::number(++WrongCount));
    recordAnswer(right);
    weighAnswer(right);

    m_ui.Timer2->setInterval(Stopped);
    restartWait();
    m_ui.Timer3->setInterval(Tick);
}

void QuizScreen::onFeedbackTick()
{
    if (!waitPassed(FeedbackTime))
        return;
    name(ClickedPosition)->setColours(nameboard::Resting, nameboard::Text);
    m_ui.Image3->setVisible(false);
    m_ui.Timer3->setInterval(Stopped);
    if (AnsweredEntry == CurrentEntry)
        ChooseQuestion();
    else
        RevealAnswer();
}

void QuizScreen::RevealAnswer()
{
    name(CurrentEntry - 1)->setBackColour(nameboard::Marked);
    restartWait();
    m_ui.Timer4->setInterval(Tick);
}

void QuizScreen::onRevealTick()
{
    if (!waitPassed(RevealTime))
        return;
    name(CurrentEntry - 1)->setBackColour(nameboard::Resting);
    m_ui.Timer4->setInterval(Stopped);
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
    return m_ui.Label1.at(std::size_t(position));
}
