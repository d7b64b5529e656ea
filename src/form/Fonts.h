#pragma once

class QString;

// The layouts name the Japanese desktop fonts "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック" and
// "ＭＳ 明朝"; here they are drawn with the IPA fonts of the same style.
void installJapaneseFonts();

// Says on stderr which font stands in when the IPA fonts are not installed.
// Listing the installed families takes a while, so the program asks once its
// first window is on screen.
void reportMissingJapaneseFonts();

// Whether the IPA font that stands in for this layout family is installed.
// Asked on the window's thread only.
bool standInInstalled(const QString& layoutFamily);
