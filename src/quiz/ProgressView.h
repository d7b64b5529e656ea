#pragma once

#include "AnswerHistory.h"
#include "ContrastDrill.h"
#include "MemoryBook.h"
#include "Season.h"
#include "Twips.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScrollArea>

#include <optional>
#include <vector>

class Form;

namespace quiz {

// What the progress view shows of one bird.
struct BirdProgress
{
    int bird = 0;
    std::optional<double> recall;       // none: never asked this way
    bool dueToday = false;              // below 90 % before the day ends
    std::vector<memory::DayCount> days; // the answers, day by day
    std::pair<int, int> takenFor{0, 0}; // the bird most often answered for it, times
    int unseenPictures = 0;             // of its pictures, those no quiz has shown yet
    int unseenCalls = 0;                // of its recordings, those no quiz has played yet
};

// "未見 姿2 声1": what of the bird the quiz has not shown yet; empty when it has shown all.
QString unseenText(const BirdProgress& line);

struct ProgressData
{
    std::vector<BirdProgress> birds; // least remembered first, never asked last
    std::vector<int> dueByDay;       // today (and overdue), then the days after
    int today = 0;                   // the learner's day
    bool known = false;              // the memory has come
};

// The birds of the board as the memory sees them at now.
ProgressData progressOf(const memory::MemoryBook* book, int mode, const std::vector<int>& birds, double now);

// The view's painted page: a bar per day of the due count to come, then a
// line per bird (its name, its predicted recall, a square per day of its last
// two weeks, whom it was taken for), and, once a confusion is clicked, the two
// birds' pictures side by side. A line that would not fit breaks before the
// confusion, so nothing is ever cut at the edge.
class ProgressPage final : public QWidget
{
    Q_OBJECT
public:
    ProgressPage(double scale, QWidget* parent);

    void setProgress(const ProgressData& progress);
    void showTakenFor(const history::Results& results);
    void showPair(const ContrastDrill::Bird& first, const ContrastDrill::Bird& second);

    // Where the confusion of a bird is drawn, for tests; empty when it has none.
    QRect confusionRect(int bird) const;
    const ProgressData& progress() const { return m_progress; }
    // The widest line drawn, against the page's width.
    int widestLine() const { return m_widest; }

    static constexpr int ChartDays = 7;
    static constexpr int SquareDays = 14;

Q_SIGNALS:
    void confusionClicked(int bird, int other);
    void closeClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int layOut(QPainter* painter); // draws when painter is given; returns the height
    int px(double designPixels) const;

    double m_scale;
    ProgressData m_progress;
    std::vector<std::pair<QRect, std::pair<int, int>>> m_confusions; // rect, (bird, other)
    QRect m_close;
    std::optional<std::pair<ContrastDrill::Bird, ContrastDrill::Bird>> m_pair;
    int m_widest = 0;
};

// The progress view over the name board, opened from its label: the quiz's
// call pauses while it is open and resumes once it closes; a click on a
// confusion plays the contrast drill.
class ProgressView final : public QObject
{
    Q_OBJECT
public:
    ProgressView(Form& form, Season season, history::AnswerHistory* history, SoundPlayer& call,
                 const QString& dataRoot);

    void open(const ProgressData& progress);
    void close();
    bool isOpen() const { return m_area && m_area->isVisible(); }
    ProgressPage* page() const { return m_page; }
    ContrastDrill& drill() { return *m_drill; }

    static constexpr TwipsRect Area{4650, 510, 4860, 5415}; // the name board

Q_SIGNALS:
    void opened(); // the call has stopped
    void closed(); // the call has stopped: the quiz may start its own again

private:
    Form& m_form;
    Season m_season;
    history::AnswerHistory* m_history;
    SoundPlayer& m_call;
    QPointer<QScrollArea> m_area;
    ProgressPage* m_page = nullptr;
    ContrastDrill* m_drill;
    quint64 m_asked = 0;
};

} // namespace quiz
