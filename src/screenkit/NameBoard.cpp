#include "NameBoard.h"

#include "BirdTables.h"
#include "Form.h"

using namespace Qt::StringLiterals;

namespace nameboard {

const QString Name = u"Label1"_s;

WindowSpec window(const QString& title)
{
    return {title, 9600, 5955, u":/artwork/board.gif"_s};
}

void append(std::vector<ControlSpec>& table, Season season)
{
    for (int i = 0; i < birds::BoardSize; ++i) {
        const float left = i < 20 ? 4680 : 7110;
        const float top = 540 + 270 * float(i % 20);
        ControlSpec row = labelRow(Name, birds::nameAt(season, i), {left, top, 2400, 240},
                                   {typeface::Mincho, 12, true}, Resting, Text, Align::Left, false);
        row.index = i;
        table.push_back(row);
    }
}

Labels labelsOf(const Form& form)
{
    Labels labels{};
    for (int i = 0; i < birds::BoardSize; ++i)
        labels[std::size_t(i)] = form.label(Name, i);
    return labels;
}

} // namespace nameboard
