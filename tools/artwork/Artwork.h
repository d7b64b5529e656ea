#pragma once

#include <QImage>

// The pictures that come with the program, drawn with QPainter at build time.
// Each is drawn at 1×, 2× and 3× its size (`scale`), for windows shown larger.
QImage
drawMenuBackground(int scale = 1); // 640 × 400: pale-yellow field, three painted bird heads at the left
QImage drawBoardBackground(int scale = 1); // 640 × 400: teal field, picture panel, name grid
QImage drawScorePanel(int scale = 1);      // 201 × 25: ○ and × boxes beside two dark-blue count boxes
QImage drawIcon(int size);                 // size × size: a small green bird on a blossoming branch
bool writeIconSvg(const QString& path);    // the same icon, scalable
QImage drawRightMark(int scale = 1);       // about 199 × 195: a bold red ○
QImage drawWrongMark(int scale = 1);       // about 199 × 195: a bold ×
