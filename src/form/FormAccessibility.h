#pragma once

// What the window's own controls are to a screen reader: a clickable label is
// a button named by its caption, with a press action that is its click; other
// labels are text; a picture box is an image, or an alert when it speaks (see
// PictureBox::announce). Lists and buttons are Qt's own.
//
// Installed once the application exists. Nothing is made until a screen
// reader asks.
void installAccessibility();
