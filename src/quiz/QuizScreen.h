#pragma once

#include "Background.h"
#include "BirdShow.h"
#include "BirdTables.h"
#include "QuizLayout.h"
#include "Screen.h"
#include "ScreenServices.h"
#include "Season.h"
#include "WeakBirds.h"

#include <QPixmap>

#include <array>
#include <optional>

// The quiz: a bird's picture grows into place and its call repeats; the user
// clicks its name among the forty. The click is judged after a moment, the
// right or wrong mark shows with its sound, the counts go up, and after a wrong
// answer the right name turns red for a while. Questions go on until the user
// leaves; never one of the last ten birds comes again.
class QuizScreen final : public Screen
{
    Q_OBJECT
public:
    QuizScreen(Season season, ScreenServices& services, QObject* parent = nullptr);

    // For tests and benchmarks: what the screen holds.
    int currentEntry() const { return CurrentEntry; }
    const std::array<qint16, 11>& recentEntries() const { return RecentEntries; }
    int rightCount() const { return RightCount; }
    int wrongCount() const { return WrongCount; }
    bool byEar() const { return m_byEar; }
    bool weakFirst() const { return m_weakFirst; }
    // How much each table entry weighs in the 苦手優先 draw; nothing until the
    // history's latest answers have come.
    const std::optional<quiz::WeakBirds>& weakBirds() const { return m_weakBirds; }

protected:
    Form* buildForm() override;
    void load() override;

private:
    void onNameClicked(int index);
    void onStartTick();        // Timer1: the first question after the start-up delay
    void onAnswerTick();       // Timer2: the answer is judged and the feedback shown
    void onFeedbackTick();     // Timer3: the feedback ends
    void onRevealTick();       // Timer4: the right name has been shown long enough
    void onByEarClicked();     // 声だけ: the picture waits until the answer is judged
    void onScoreClicked();     // the ○/× counts open the results view
    void onWeakFirstClicked(); // 苦手優先: birds missed of late come more often
    void closeResults();
    void showResultLines(const QStringList& lines);

    void ChooseQuestion();
    bool CheckRecent();
    void PresentQuestion();
    void RevealAnswer();

    void readFeedbackMedia();
    void checkCalls();
    int callableCount() const;
    void startCall(const presentation::BirdMedia& bird);
    void showHeldBird();
    void revealHeldBird();
    void recordAnswer(bool right);
    void readLastAnswers();
    void onLastAnswers(const history::LastAnswers& answers); // the history has answered
    void weighAnswer(bool right);
    void restartWait();
    bool waitPassed(double seconds) const;

    FormLabel* name(int position) const;

    const quiz::SeasonTable& m_season;
    ScreenServices& m_services;
    quiz::Controls m_ui{}; // valid while the window is open

    birds::NumberTable BirdNumbers{};
    qint16 CurrentEntry = 0;
    qint16 ClickedPosition = 0;
    zoom::DesignRect Design{}; // DesignTop, DesignLeft, DesignWidth, DesignHeight: Image1 as laid out
    QString DataRoot;
    QString NumberText;
    std::array<qint16, 11> RecentEntries{}; // slots 1..10, oldest first; 0 = empty
    qint64 StartSeconds = 0;
    qint16 AnsweredEntry = 0;
    // Counts are wider than the 16 bits of old so that a long session never wraps.
    qint32 RightCount = 0;
    qint32 WrongCount = 0;
    qint16 Accepting = 0;
    QPixmap RightMark;
    QPixmap WrongMark;
    QString RightSound; // the feedback sounds found for this showing
    QString WrongSound;
    LatestRequest m_birdRequest;
    LatestRequest m_feedbackRequest;
    LatestRequest m_callsRequest;
    quint64 m_resultsAsked = 0; // only the latest results asked for are shown

    bool m_byEar = false;                                // the setting, read at each showing
    bool m_questionByEar = false;                        // the bird on show is asked by ear
    bool m_judged = false;                               // the answer to the bird on show has been judged
    std::optional<presentation::BirdMedia> m_heldBird;   // by ear: the picture not yet shown
    std::optional<presentation::BirdMedia> m_birdOnShow; // once its files have been read
    std::array<bool, birds::BoardSize + 1> m_callable{}; // by table entry
    bool m_callsKnown = false;
    bool m_choiceWaitsForCalls = false;
    double m_shownAt = 0; // clock seconds when the bird appeared (or its call began)
    double m_clickedAt = 0;

    bool m_weakFirst = false;                                 // the setting, read at each showing
    std::optional<quiz::WeakBirds> m_weakBirds;               // once the history's latest answers are in
    std::vector<std::pair<int, bool>> m_judgedBeforeWeighing; // table entry, right
    bool m_lastAnswersPending = false;
    quint64 m_lastAnswersAsked = 0; // only the answers asked for by this showing count
};
