#include "ProgressView.h"

#include "BirdTables.h"
#include "Form.h"
#include "Palette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace quiz {
namespace {

const QColor Right(0, 200, 0);
const QColor Wrong(255, 64, 64);
const QColor Unasked(64, 64, 160);
const QStringList DayNames{u"今日"_s, u"明日"_s, u"2日後"_s, u"3日後"_s, u"4日後"_s, u"5日後"_s, u"6日後"_s};

} // namespace

ProgressData progressOf(const memory::MemoryBook* book, int mode, const std::vector<int>& birds, double now)
{
    ProgressData progress;
    progress.known = book != nullptr;
    for (int bird : birds) {
        BirdProgress& line = progress.birds.emplace_back();
        line.bird = bird;
        if (!book)
            continue;
        line.recall = book->recall(mode, bird, now);
        line.dueToday = book->isDue(mode, bird, book->endOfDay(now));
        if (const memory::Card* card = book->card(mode, bird))
            line.days = card->days;
    }
    std::stable_sort(progress.birds.begin(), progress.birds.end(), [](const auto& a, const auto& b) {
        return a.recall.value_or(2.0) < b.recall.value_or(2.0);
    });
    if (book) {
        progress.dueByDay = book->dueByDay(mode, birds, now, ProgressPage::ChartDays);
        progress.today = book->dayOf(now);
    }
    return progress;
}

QString unseenText(const BirdProgress& line)
{
    QStringList parts;
    if (line.unseenPictures > 0)
        parts << u"姿%1"_s.arg(line.unseenPictures);
    if (line.unseenCalls > 0)
        parts << u"声%1"_s.arg(line.unseenCalls);
    return parts.isEmpty() ? QString() : u"未見 "_s + parts.join(u' ');
}

ProgressPage::ProgressPage(double scale, QWidget* parent) : QWidget(parent), m_scale(scale)
{
    QFont shown(typeface::Mincho);
    shown.setPixelSize(px(15));
    shown.setBold(true);
    setFont(shown);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, palette::DarkBlue);
    setPalette(colours);
}

int ProgressPage::px(double designPixels) const
{
    return std::max(1, int(std::lround(designPixels * m_scale)));
}

void ProgressPage::setProgress(const ProgressData& progress)
{
    m_progress = progress;
    m_pair.reset();
    setMinimumHeight(layOut(nullptr));
    update();
}

void ProgressPage::showTakenFor(const history::Results& results)
{
    for (BirdProgress& line : m_progress.birds)
        for (const history::BirdResult& result : results)
            if (result.bird == line.bird && !result.takenFor.empty())
                line.takenFor = result.takenFor.front();
    setMinimumHeight(layOut(nullptr));
    update();
}

void ProgressPage::showPair(const ContrastDrill::Bird& first, const ContrastDrill::Bird& second)
{
    m_pair.emplace(first, second);
    setMinimumHeight(layOut(nullptr));
    update();
}

QRect ProgressPage::confusionRect(int bird) const
{
    for (const auto& [rect, pair] : m_confusions)
        if (pair.first == bird)
            return rect;
    return {};
}

void ProgressPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    layOut(&painter);
}

void ProgressPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setMinimumHeight(layOut(nullptr));
}

void ProgressPage::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_close.contains(at)) {
        Q_EMIT closeClicked();
        return;
    }
    for (const auto& [rect, pair] : m_confusions)
        if (rect.contains(at)) {
            Q_EMIT confusionClicked(pair.first, pair.second);
            return;
        }
}

// One pass that either measures or draws, so the two never disagree.
int ProgressPage::layOut(QPainter* painter)
{
    const QFontMetrics metrics(font());
    const int margin = px(4);
    const int lineHeight = metrics.height() + px(4);
    const int width = this->width();
    int y = margin;
    m_widest = 0;
    m_confusions.clear();
    auto text = [&](int x, int top, const QString& words, const QColor& colour) {
        const int advance = metrics.horizontalAdvance(words);
        m_widest = std::max(m_widest, x + advance);
        if (painter) {
            painter->setPen(colour);
            painter->drawText(QRect(x, top, advance + 1, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                              words);
        }
        return advance;
    };

    // The title line and its close box.
    const int due = m_progress.dueByDay.empty() ? 0 : m_progress.dueByDay.front();
    text(margin, y, m_progress.known ? u"成績　今日の復習 %1羽"_s.arg(due) : u"成績"_s, palette::Yellow);
    const QString closeText = u"×閉じる"_s;
    const int closeWidth = metrics.horizontalAdvance(closeText) + 2 * margin;
    m_close = QRect(width - margin - closeWidth, y, closeWidth, lineHeight);
    if (painter) {
        painter->fillRect(m_close, palette::Red);
        painter->setPen(palette::White);
        painter->drawText(m_close, Qt::AlignCenter, closeText);
    }
    y += lineHeight + margin;

    // The contrast drill: two pictures side by side, their names under them.
    if (m_pair) {
        const int half = (width - 3 * margin) / 2;
        const int pictureHeight = px(110);
        int x = margin;
        for (const ContrastDrill::Bird* bird : {&m_pair->first, &m_pair->second}) {
            const QRect box(x, y, half, pictureHeight);
            if (painter) {
                painter->fillRect(box, palette::White);
                if (!bird->media.picture.isNull()) {
                    const QSize fitted = bird->media.picture.size().scaled(box.size(), Qt::KeepAspectRatio);
                    const QRect target(box.center() - QPoint(fitted.width() / 2, fitted.height() / 2),
                                       fitted);
                    painter->drawImage(target, bird->media.picture);
                }
            }
            const QString name = birds::nameOfBird(bird->number);
            if (painter) {
                painter->setPen(palette::White);
                painter->drawText(QRect(x, y + pictureHeight, half, lineHeight), Qt::AlignCenter, name);
            }
            m_widest = std::max(m_widest, x + std::min(half, metrics.horizontalAdvance(name)));
            x += half + margin;
        }
        y += pictureHeight + lineHeight + margin;
    }

    // The due count of the days to come, a bar a day.
    if (m_progress.known && !m_progress.dueByDay.empty()) {
        const int chartHeight = px(50);
        const int columns = int(m_progress.dueByDay.size());
        const int column = (width - 2 * margin) / columns;
        const int most =
            std::max(1, *std::max_element(m_progress.dueByDay.begin(), m_progress.dueByDay.end()));
        QFont small = font();
        small.setPixelSize(px(11));
        const QFontMetrics smallMetrics(small);
        for (int day = 0; day < columns; ++day) {
            const int count = m_progress.dueByDay[std::size_t(day)];
            const int barHeight = count * (chartHeight - smallMetrics.height()) / most;
            const QRect bar(margin + day * column + column / 4, y + chartHeight - barHeight, column / 2,
                            barHeight);
            const QRect label(margin + day * column, y + chartHeight, column, smallMetrics.height());
            if (painter) {
                painter->fillRect(bar, day == 0 ? palette::Yellow : palette::Lavender);
                painter->setFont(small);
                painter->setPen(palette::White);
                painter->drawText(QRect(bar.left() - column / 4, bar.top() - smallMetrics.height(), column,
                                        smallMetrics.height()),
                                  Qt::AlignHCenter | Qt::AlignBottom, QString::number(count));
                painter->drawText(label, Qt::AlignCenter, DayNames.value(day));
                painter->setFont(font());
            }
        }
        y += chartHeight + smallMetrics.height() + margin;
    }

    // A line per bird: name, recall, the last two weeks, whom it was taken for.
    int nameWidth = 0;
    for (const BirdProgress& line : m_progress.birds)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(birds::nameOfBird(line.bird)));
    const int recallWidth = metrics.horizontalAdvance(u"100%"_s);
    // The squares share what the name and the recall leave of the line.
    const int room = width - (margin + nameWidth + margin + recallWidth + 2 * margin);
    const int square = std::clamp(room / SquareDays, 2, std::max(2, metrics.height() / 2));
    for (const BirdProgress& line : m_progress.birds) {
        int x = margin;
        text(x, y, birds::nameOfBird(line.bird), palette::White);
        x += nameWidth + margin;
        const QString recall = line.recall ? u"%1%"_s.arg(int(std::lround(*line.recall * 100))) : u"—"_s;
        // Pink for a bird due today, however well it was just answered.
        const QColor recallColour =
            !line.recall ? palette::Lavender : (line.dueToday ? palette::Pink : Right);
        text(x + recallWidth - metrics.horizontalAdvance(recall), y, recall, recallColour);
        x += recallWidth + margin;
        for (int back = SquareDays - 1; back >= 0; --back) {
            const int day = m_progress.today - back;
            const auto found = std::find_if(line.days.begin(), line.days.end(),
                                            [day](const memory::DayCount& d) { return d.day == day; });
            const QColor colour =
                found == line.days.end() ? Unasked : (found->right == found->asked ? Right : Wrong);
            if (painter)
                painter->fillRect(QRect(x, y + (lineHeight - square) / 2, square - 1, square), colour);
            x += square;
        }
        m_widest = std::max(m_widest, x);
        x += margin;
        if (const QString unseen = unseenText(line); !unseen.isEmpty()) {
            const int advance = metrics.horizontalAdvance(unseen);
            if (x + advance > width - margin) { // would be cut: on a line of its own
                y += lineHeight;
                x = std::max(margin, std::min(margin + nameWidth + margin, width - margin - advance));
            }
            text(x, y, unseen, palette::Yellow);
            x += advance + margin;
            m_widest = std::max(m_widest, x - margin);
        }
        if (line.takenFor.second > 0) {
            const QString taken =
                u"←%1×%2"_s.arg(birds::nameOfBird(line.takenFor.first)).arg(line.takenFor.second);
            const int advance = metrics.horizontalAdvance(taken);
            if (x + advance > width - margin) { // would be cut: on a line of its own
                y += lineHeight;
                x = std::max(margin, std::min(margin + nameWidth + margin, width - margin - advance));
            }
            m_confusions.push_back({QRect(x, y, advance, lineHeight), {line.bird, line.takenFor.first}});
            if (painter) {
                painter->fillRect(m_confusions.back().first, palette::Red);
            }
            text(x, y, taken, palette::White);
        }
        y += lineHeight;
    }
    return y + margin;
}

ProgressView::ProgressView(Form& form, Season season, history::AnswerHistory* history, SoundPlayer& call,
                           const QString& dataRoot)
    : QObject(&form), m_form(form), m_season(season), m_history(history), m_call(call),
      m_drill(new ContrastDrill(this, call, dataRoot, form.pictureFineness()))
{
    connect(m_drill, &ContrastDrill::ready, this,
            [this](const ContrastDrill::Bird& first, const ContrastDrill::Bird& second) {
                if (m_page)
                    m_page->showPair(first, second);
            });
}

void ProgressView::open(const ProgressData& progress)
{
    if (!m_area) {
        m_area = new QScrollArea(&m_form);
        m_area->setFrameShape(QFrame::NoFrame);
        m_area->setWidgetResizable(true);
        m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_page = new ProgressPage(m_form.scale(), m_area);
        m_area->setWidget(m_page);
        connect(m_page, &ProgressPage::closeClicked, this, &ProgressView::close);
        connect(m_page, &ProgressPage::confusionClicked, m_drill, &ContrastDrill::start);
    }
    m_area->setGeometry(toPixels(Area, m_form.scale()));
    m_page->setProgress(progress);
    m_area->show();
    m_area->raise();
    // A call under the view would drown the contrast drill, and the user is
    // reading, not answering.
    m_call.stop();
    Q_EMIT opened();
    if (!m_history)
        return;
    const quint64 tag = ++m_asked;
    m_history->results(m_season, QDateTime::currentDateTimeUtc(), this,
                       [this, tag](const history::Results& results) {
                           if (tag == m_asked && m_page)
                               m_page->showTakenFor(results);
                       });
}

void ProgressView::close()
{
    if (!isOpen())
        return;
    ++m_asked;
    m_drill->stop();
    m_call.stop(); // the drill's call, if one still plays
    m_area->hide();
    Q_EMIT closed();
}

} // namespace quiz
