#pragma once

#include <QImage>

// The pictures that come with the program, drawn with QPainter at build time.
QImage drawMenuBackground();  // 640 × 400: pale-yellow field, three painted bird heads at the left
QImage drawBoardBackground(); // 640 × 400: teal field, picture panel, name grid
QImage drawScorePanel();      // 201 × 25: ○ and × boxes beside two dark-blue count boxes
QImage drawIcon(int size);    // size × size: a small green bird on a blossoming branch
QImage drawRightMark();       // about 199 × 195: a bold red ○
QImage drawWrongMark();       // about 199 × 195: a bold ×
