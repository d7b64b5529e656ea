#pragma once

#include <QColor>
#include <QString>

// The colours and type faces of every screen, each named once. The layout
// tables and the name board take theirs from here.
namespace palette {
inline const QColor White(255, 255, 255);
inline const QColor Black(0, 0, 0);
inline const QColor Red(255, 0, 0); // every clickable label, and a marked name
inline const QColor Yellow(255, 255, 0);
inline const QColor Blue(0, 0, 255);     // titles, the description and results lists
inline const QColor DarkBlue(0, 0, 192); // the name board, the quiz's counts
inline const QColor Magenta(255, 0, 255);
inline const QColor Pink(255, 128, 128);
inline const QColor Lavender(128, 128, 255);
} // namespace palette

// The layouts name the Japanese desktop fonts; Fonts.cpp maps each to an
// installed IPA font of the same style.
namespace typeface {
inline const QString Mincho = QStringLiteral("ＭＳ Ｐ明朝");     // proportional
inline const QString FixedMincho = QStringLiteral("ＭＳ 明朝");  // fixed width
inline const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック"); // proportional
} // namespace typeface
