#include "QuizScreen.h"

#include "AnswerHistory.h"
#include "ChosenModes.h"
#include "Form.h"
#include "FormLabel.h"
#include "IntervalTimer.h"
#include "MediaPaths.h"
#include "NameBoard.h"
#include "PictureBox.h"
#include "ResultsView.h"
#include "Settings.h"
#include "SpectrogramView.h"

#include <cmath>

namespace {

constexpr int Tick = 100; // ms; a started timer polls its wait every tick
constexpr int Stopped = 0;

constexpr double StartDelay = 1.0;
constexpr double JudgeDelay = 0.1;
constexpr double FeedbackTime = 1.5;
constexpr double RevealTime = 2.0;

} // namespace

QuizScreen::QuizScreen(Season season, ScreenServices& services, QObject* parent)
    : Screen(parent), m_season(quiz::seasonTable(season)), m_services(services),
      m_round(birds::numberTable(season), services.random, services.clock)
{}

bool QuizScreen::byEar() const
{
    return settings().byEar();
}

bool QuizScreen::weakFirst() const
{
    return settings().weakFirst();
}

bool QuizScreen::review() const
{
    return settings().review();
}

Form* QuizScreen::buildForm()
{
    auto* form =
        new Form(quiz::window(m_season), quiz::controls(m_season), m_services.makePlayer, windowScale());
    m_ui = quiz::controlsOf(*form);
    for (int i = 0; i < birds::BoardSize; ++i)
        connect(name(i), &FormLabel::clicked, this, [this, i] { onNameClicked(i); });
    connect(m_ui.toReference, &FormLabel::clicked, this,
            [this] { Q_EMIT switchRequested(m_season.reference); });
    connect(m_ui.toMenu, &FormLabel::clicked, this, [this] { Q_EMIT switchRequested(ScreenId::Menu); });
    connect(m_ui.byEarToggle, &FormLabel::clicked, this, &QuizScreen::onByEarClicked);
    // The ○/× counts open the results view.
    auto* results = new quiz::ResultsView(*form, {m_ui.results, m_ui.weakFirstToggle, m_ui.resultsClickArea},
                                          m_season.season, m_services.history);
    for (FormLabel* count : {m_ui.rightCount, m_ui.wrongCount})
        connect(count, &FormLabel::clicked, results, &quiz::ResultsView::open);
    connect(m_ui.scorePanel, &PictureBox::clicked, results, &quiz::ResultsView::open);
    connect(m_ui.weakFirstToggle, &FormLabel::clicked, this, &QuizScreen::onWeakFirstClicked);
    connect(m_ui.reviewToggle, &FormLabel::clicked, this, &QuizScreen::onReviewClicked);
    m_progress =
        new quiz::ProgressView(*form, m_season.season, m_services.history, *m_ui.call, media::dataRoot());
    connect(m_ui.progress, &FormLabel::clicked, this, &QuizScreen::onProgressClicked);
    connect(m_progress, &quiz::ProgressView::closed, this, [this] { m_bird->resumeCall(Accepting); });
    m_spectrogram = new SpectrogramView(form);
    m_spectrogram->setTwipsRect(quiz::SpectrogramRect);
    m_spectrogram->stackUnder(m_ui.mark); // the ○/× stays above it
    m_spectrogram->setVisible(false);
    m_spectrogram->follow(*m_ui.call);
    form->setEscape([this]() -> QWidget* { return m_progress->isOpen() ? m_ui.progress : m_ui.toMenu; });
    connect(m_ui.startTimer, &IntervalTimer::tick, this, &QuizScreen::onStartTick);
    connect(m_ui.answerTimer, &IntervalTimer::tick, this, &QuizScreen::onAnswerTick);
    connect(m_ui.feedbackTimer, &IntervalTimer::tick, this, &QuizScreen::onFeedbackTick);
    connect(m_ui.revealTimer, &IntervalTimer::tick, this, &QuizScreen::onRevealTick);
    return form;
}

void QuizScreen::load()
{
    DataRoot = media::dataRoot();
    m_ui.call->hide();
    m_ui.feedbackSound->hide();
    m_bird.emplace(*m_ui.picture, *m_ui.call, zoom::designRectOf(*m_ui.picture));
    // A showing left while a question was open would otherwise still accept a
    // click during the next start-up, judged against a bird no longer on show.
    Accepting = false;
    m_nothingToAsk = false;
    m_round.begin(m_services.history != nullptr);
    applyModes();
    m_feedback.read(*this, DataRoot, form()->pictureFineness());
    m_media.begin(DataRoot, birds::numberTable(m_season.season), m_season.season, m_services.history,
                  [this](const presentation::CallTable& callable) {
                      if (m_round.setCalls(callable))
                          ChooseQuestion();
                  });
    readLastAnswers();
    readMemory();
    startWait(m_ui.startTimer);
}

// The settings choose the round's modes and the toggles' captions.
void QuizScreen::applyModes(bool forCurrentQuestion)
{
    const Settings& chosen = settings();
    m_round.setAsking(quiz::chosenAsking(chosen), forCurrentQuestion);
    m_round.setDraw(quiz::chosenDraw(chosen));
    m_ui.byEarToggle->setText(chosen.byEar() ? quiz::ByEarOn : quiz::ByEarOff);
    m_ui.weakFirstToggle->setText(chosen.weakFirst() ? quiz::WeakFirstOn : quiz::WeakFirstOff);
    showDueCount();
}

void QuizScreen::showDueCount()
{
    m_ui.reviewToggle->setText(
        quiz::reviewCaption(settings().review(), m_round.dueToday(), m_round.memory().has_value()));
}

// Each bird's latest answers, read from the history once per showing; from
// then on the round keeps them up to date in memory.
void QuizScreen::readLastAnswers()
{
    if (!m_services.history)
        return;
    m_services.history->lastAnswers(m_season.season, quiz::AnswersWeighed, form(),
                                    m_answersAsked.wrap(*this, [this](const history::LastAnswers& answers) {
                                        m_round.lastAnswersArrived(answers);
                                    }));
}

// What the user remembers of each bird, replayed on the history's thread once
// per showing; the round keeps it up to date from then on. The user's day
// starts at four in the morning, local time.
void QuizScreen::readMemory()
{
    if (!m_services.history)
        return;
    const double dayShift = double(QDateTime::currentDateTime().offsetFromUtc()) / 86'400.0 - 4.0 / 24.0;
    m_services.history->memory(m_season.season, dayShift, form(),
                               m_memoryAsked.wrap(*this, [this](const history::Memory& memory) {
                                   m_round.memoryArrived(memory);
                                   showDueCount();
                               }));
}

// The bird on show follows at once while its answer is open: its picture goes
// (if it has a call to be asked by) or grows in. Turned off while no bird could
// be asked, the quiz goes on at once.
void QuizScreen::onByEarClicked()
{
    settings().setByEar(!settings().byEar());
    const bool byEar = settings().byEar();
    applyModes();
    if (!byEar && m_nothingToAsk) {
        showNotice({});
        ChooseQuestion();
        return;
    }
    if (!Accepting || m_round.questionAsking().holdsPicture() == byEar)
        return;
    if (!byEar) {
        applyModes(true);
        m_bird->reveal();
    } else if (m_bird->holdBack()) {
        applyModes(true);
    }
}

// The next bird drawn follows the setting; the view stays open. 苦手優先 and
// 復習 are two ways of choosing the next bird: turning one on turns the other off.
void QuizScreen::onWeakFirstClicked()
{
    settings().setWeakFirst(!settings().weakFirst());
    if (settings().weakFirst())
        settings().setReview(false);
    applyModes();
}

void QuizScreen::onReviewClicked()
{
    settings().setReview(!settings().review());
    if (settings().review())
        settings().setWeakFirst(false);
    applyModes();
}

void QuizScreen::onProgressClicked()
{
    if (m_progress->isOpen()) {
        m_progress->close();
        return;
    }
    std::vector<int> board;
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        board.push_back(m_round.birdNumber(entry));
    const auto& memory = m_round.memory();
    quiz::ProgressData progress =
        quiz::progressOf(memory ? &*memory : nullptr, m_round.memoryMode(), board, m_round.today());
    for (quiz::BirdProgress& line : progress.birds)
        std::tie(line.unseenPictures, line.unseenCalls) = m_media.unseen(line.bird);
    m_progress->open(progress);
}

void QuizScreen::onStartTick()
{
    if (waitOver(m_ui.startTimer, StartDelay))
        ChooseQuestion();
}

void QuizScreen::ChooseQuestion()
{
    switch (m_round.ChooseQuestion()) {
    case quiz::QuizRound::Next::Asked:
        PresentQuestion();
        return;
    case quiz::QuizRound::Next::WaitingForCalls:
        return; // asked again when the calls are known
    case quiz::QuizRound::Next::NothingToAsk:
        m_bird->clear();
        showNotice(quiz::NoCallsText);
        m_nothingToAsk = true;
        return;
    }
}

void QuizScreen::PresentQuestion()
{
    Accepting = true;
    m_bird->clear();
    m_spectrogram->setVisible(false);
    m_spectrogram->setCaption({});
    showNotice({});
    m_round.exemplarsChosen(m_media.present(
        m_round.currentEntry(), form()->pictureFineness(), [this](const presentation::BirdMedia& bird) {
            if (Accepting)
                m_round.questionShown();
            const bool byEar = m_round.questionAsking().holdsPicture();
            m_bird->arrived(bird, byEar, Accepting);
            m_spectrogram->setCaption(presentation::exemplarCaption(bird.callTags));
            // By ear with no sound to be had, the empty panel says why.
            if (byEar && Accepting && m_services.soundIsOff && m_services.soundIsOff())
                showNotice(quiz::NoSoundText);
        }));
}

void QuizScreen::onNameClicked(int index)
{
    if (!Accepting)
        return;
    ClickedPosition = qint16(index);
    m_round.answerGiven(index + 1);
    m_ui.call->stop();
    name(index)->setColours(nameboard::Judged, nameboard::JudgedText);
    startWait(m_ui.answerTimer);
    Accepting = false;
}

void QuizScreen::onAnswerTick()
{
    if (!waitOver(m_ui.answerTimer, JudgeDelay))
        return;
    const bool right = m_round.judge();
    showNotice({});
    m_bird->judged();
    m_spectrogram->setVisible(true);
    m_feedback.show(right, *m_ui.mark, *m_ui.feedbackSound,
                    {name(m_round.currentEntry() - 1)->text(), m_round.rightCount(), m_round.wrongCount()});
    if (right)
        m_ui.rightCount->setText(QString::number(m_round.rightCount()));
    else
        m_ui.wrongCount->setText(QString::number(m_round.wrongCount()));
    if (m_services.history)
        m_services.history->record(m_round.answerRecord(m_season.season));
    showDueCount();
    startWait(m_ui.feedbackTimer);
}

void QuizScreen::onFeedbackTick()
{
    if (!waitOver(m_ui.feedbackTimer, FeedbackTime))
        return;
    name(ClickedPosition)->setColours(nameboard::Resting, nameboard::Text);
    m_ui.mark->setVisible(false);
    if (m_round.answeredRight())
        ChooseQuestion();
    else
        RevealAnswer();
}

void QuizScreen::RevealAnswer()
{
    name(m_round.currentEntry() - 1)->setBackColour(nameboard::Marked);
    startWait(m_ui.revealTimer);
}

void QuizScreen::onRevealTick()
{
    if (!waitOver(m_ui.revealTimer, RevealTime))
        return;
    name(m_round.currentEntry() - 1)->setBackColour(nameboard::Resting);
    ChooseQuestion();
}

// A wait starts on a whole second (a half rounds to even); its timer polls
// every tick, and it ends at the first tick strictly more than its length
// after that second, which stops the timer.
void QuizScreen::startWait(IntervalTimer* timer)
{
    StartSeconds = std::llrint(m_services.clock.seconds());
    timer->setInterval(Tick);
}

bool QuizScreen::waitOver(IntervalTimer* timer, double seconds)
{
    if (m_services.clock.seconds() - double(StartSeconds) <= seconds)
        return false;
    timer->setInterval(Stopped);
    return true;
}

// The words in place of the picture; none: the panel is the picture's again.
void QuizScreen::showNotice(const QString& text)
{
    m_nothingToAsk = false;
    if (!text.isEmpty())
        m_ui.notice->setText(text);
    m_ui.notice->setVisible(!text.isEmpty());
}

FormLabel* QuizScreen::name(int position) const
{
    return m_ui.names.at(std::size_t(position));
}
