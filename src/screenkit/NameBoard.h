#pragma once

#include "BirdTables.h"
#include "ControlSpec.h"
#include "Palette.h"
#include "Season.h"

#include <array>
#include <vector>

class Form;
class FormLabel;

// The forty names of a quiz or reference screen, and the fixed colours they
// are painted in. Colours are set at each change, never saved and restored.
namespace nameboard {

inline const QColor Resting = palette::DarkBlue; // white text
inline const QColor Judged = palette::Yellow;    // black text: the answer being judged
inline const QColor Marked = palette::Red;       // the chosen name, or the right one after a mistake
inline const QColor Text = palette::White;
inline const QColor JudgedText = palette::Black;

// The name of the board's control array, Label1.
extern const QString Name;

// Appends Label1(0)..Label1(39): two columns of twenty, down the left column
// first, each label inside one cell of the board background's grid.
// The window of the screens with a name board: 9600 × 5955 twips over the board's backdrop.
WindowSpec window(const QString& title);

void append(std::vector<ControlSpec>& table, Season season);

// Label1(0)..Label1(39) of a window built with the board.
using Labels = std::array<FormLabel*, birds::BoardSize>;
Labels labelsOf(const Form& form);

} // namespace nameboard
