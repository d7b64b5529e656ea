#pragma once

// The layouts name the Japanese desktop fonts "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック" and
// "ＭＳ 明朝"; here they are drawn with the IPA fonts of the same style. Says on
// stderr which font stands in when the IPA fonts are not installed.
void installJapaneseFonts();
