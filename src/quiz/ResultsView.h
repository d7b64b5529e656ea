#pragma once

#include "Season.h"

#include <QObject>

class Form;
class FormLabel;
class ListBox;
class PictureBox;

namespace history {
class AnswerHistory;
}

namespace quiz {

// The results view over the name board: opened by a click on the score panel,
// filled from the history's thread while the quiz goes on underneath, closed
// by a click on it or on the board. Only the latest results asked for are shown.
class ResultsView final : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ListBox* list;
        FormLabel* toggleLine; // the 苦手優先 toggle atop the list
        PictureBox* clickArea;
    };

    ResultsView(Form& form, Parts parts, Season season, history::AnswerHistory* history);

    void open();
    void close();

private:
    void showLines(const QStringList& lines);

    Form& m_form;
    Parts m_parts;
    Season m_season;
    history::AnswerHistory* m_history;
    quint64 m_asked = 0;
};

} // namespace quiz
