#include "ResultsView.h"

#include "AnswerHistory.h"
#include "Form.h"
#include "FormLabel.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "QuizLayout.h"
#include "ResultsText.h"

namespace quiz {

ResultsView::ResultsView(Form& form, Parts parts, Season season, history::AnswerHistory* history)
    : QObject(&form), m_form(form), m_parts(parts), m_season(season), m_history(history)
{
    connect(m_parts.list, &ListBox::clicked, this, &ResultsView::close);
    connect(m_parts.clickArea, &PictureBox::clicked, this, &ResultsView::close);
}

void ResultsView::open()
{
    m_parts.list->clearLines();
    m_parts.list->setVisible(true);
    m_parts.toggleLine->setVisible(true);
    m_parts.clickArea->setVisible(true);
    if (!m_history) {
        showLines({NoHistory});
        return;
    }
    const quint64 tag = ++m_asked;
    m_history->results(m_season, QDateTime::currentDateTimeUtc(), this,
                       [this, tag](const history::Results& results) {
                           if (tag == m_asked)
                               showLines(resultLines(results));
                       });
}

// The list is no taller than its lines, so that a click on the board below them
// reaches the click area and closes the view, as with the description viewer.
void ResultsView::showLines(const QStringList& lines)
{
    ListBox* list = m_parts.list;
    list->addLines(lines);
    const int room = toPixels(ResultsRect, m_form.scale()).height();
    list->resize(list->width(),
                 std::min(room, int(lines.size()) * list->rowHeight() + 2 * list->frameWidth()));
}

void ResultsView::close()
{
    ++m_asked; // results still on their way are no longer wanted
    m_parts.list->clearLines();
    m_parts.list->setVisible(false);
    m_parts.toggleLine->setVisible(false);
    m_parts.clickArea->setVisible(false);
}

} // namespace quiz
