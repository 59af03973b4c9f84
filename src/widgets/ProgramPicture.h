// The program's larger pictures, drawn rather than loaded: its banner for the splash and the
// About page, the glyphs of the page control's tabs and the quiet strip under the pages.
#pragma once

#include <QImage>

inline constexpr int kProgramPictureWidth = 262;
inline constexpr int kProgramPictureHeight = 70;
inline constexpr int kTabGlyphSize = 16;
inline constexpr int kTabGlyphCount = 2;
inline constexpr int kBottomStripHeight = 69;

// 262 x 70, opaque: a mosaic of tiles on the left and the program's name beside it.
QImage DrawProgramPicture();

// 16 x 16: 0 is the About tab's glyph, 1 the Schedule tab's; other indexes give a
// transparent picture.
QImage DrawTabGlyph(int index);

// width x 69, mostly transparent, so the buttons drawn over it stay easy to read. A width
// below 1 gives a null picture.
QImage DrawBottomStrip(int width);
