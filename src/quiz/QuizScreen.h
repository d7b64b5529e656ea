#pragma once

#include "Background.h"
#include "BirdOnShow.h"
#include "Feedback.h"
#include "ProgressView.h"
#include "QuestionMedia.h"
#include "QuizLayout.h"
#include "QuizRound.h"
#include "Screen.h"
#include "ScreenServices.h"
#include "Season.h"

#include <QPixmap>
#include <QPointer>

#include <optional>

class SpectrogramView;

// The quiz: a bird's picture grows into place and its call repeats; the user
// clicks its name among the forty. The click is judged after a moment, the
// right or wrong mark shows with its sound, the counts go up, and after a wrong
// answer the right name turns red for a while. Questions go on until the user
// leaves. Which bird comes and how answers count is the round's affair; the
// screen shows it, keeps the timers and reads the media.
class QuizScreen final : public Screen
{
    Q_OBJECT
public:
    QuizScreen(Season season, ScreenServices& services, QObject* parent = nullptr);

    // For tests and benchmarks: what the screen holds.
    const quiz::QuizRound& round() const { return m_round; }
    int currentEntry() const { return m_round.currentEntry(); }
    const quiz::QuizRound::RecentEntries& recentEntries() const { return m_round.recentEntries(); }
    int rightCount() const { return m_round.rightCount(); }
    int wrongCount() const { return m_round.wrongCount(); }
    bool byEar() const;
    bool weakFirst() const;
    bool review() const;
    // While the window is open.
    quiz::ProgressView* progressView() const { return m_progress; }
    const std::optional<quiz::WeakBirds>& weakBirds() const { return m_round.weakBirds(); }

protected:
    Form* buildForm() override;
    void load() override;

private:
    void onNameClicked(int index);
    void onStartTick();        // the first question after the start-up delay
    void onAnswerTick();       // the answer is judged and the feedback shown
    void onFeedbackTick();     // the feedback ends
    void onRevealTick();       // the right name has been shown long enough
    void onByEarClicked();     // 声だけ: the picture waits until the answer is judged
    void onWeakFirstClicked(); // 苦手優先: birds missed of late come more often
    void onReviewClicked();    // 復習: the birds about to be forgotten first
    void onProgressClicked();  // ■成績を見る: the progress view opens, or closes

    void ChooseQuestion();
    void PresentQuestion();
    void RevealAnswer();

    void applyModes(bool forCurrentQuestion = false);
    void readLastAnswers();
    void readMemory();
    void showDueCount();
    void showNotice(const QString& text);
    void startWait(IntervalTimer* timer);
    bool waitOver(IntervalTimer* timer, double seconds);

    FormLabel* name(int position) const;

    const quiz::SeasonTable& m_season;
    ScreenServices& m_services;
    quiz::Controls m_ui{}; // valid while the window is open
    quiz::QuizRound m_round;

    QString DataRoot;
    qint16 ClickedPosition = 0;
    qint64 StartSeconds = 0;
    bool Accepting = false; // a question is open to an answer
    quiz::Feedback m_feedback;
    quiz::QuestionMedia m_media{*this};
    LatestReply m_answersAsked;
    LatestReply m_memoryAsked;
    QPointer<quiz::ProgressView> m_progress;
    QPointer<SpectrogramView> m_spectrogram; // the asked call's, after the answer is judged

    std::optional<quiz::BirdOnShow> m_bird; // while the window is open
    bool m_nothingToAsk = false;            // by ear, no bird of the set has a call
};
