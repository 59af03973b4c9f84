// The four layouts the program composes itself, each a plain function from the source
// picture to a new bitmap that the desktop then tiles (mirror, brick, double) or stretches
// (ratio stretch). TCompositionCache picks the layout and keeps the result.
//
// Every placement is a whole-rectangle copy: no smoothing, no blending; a scaled copy
// repeats pixels, a mirrored copy reverses them. The results are always QImage::Format_RGB32,
// one fixed true-colour format whatever the screen's colour depth, so no palette is ever
// copied, even on screens of 8 bits per pixel or less. An empty source gives an empty
// (0 x 0) result in every layout.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <stdexcept>

#include "wallpaper/DispMethods.h"

// A composition refused because of its size, or one the system had no memory for.
class TCompositionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Limits on a composed bitmap: X pixmaps, through which a wallpaper reaches the desktop,
// have at most 32767 pixels a side, and a bitmap beyond 2 GiB is never a sensible wallpaper.
inline constexpr std::int64_t MaxComposedSide = 32767;
inline constexpr std::int64_t MaxComposedBytes = std::int64_t{1} << 31;

// Throws TCompositionError unless a width x height RGB32 bitmap is within the limits.
void CheckComposedSize(std::int64_t width, std::int64_t height);

// The source with the mirror images of its inner columns and rows appended, seamless when
// tiled: Out(x, y) = S(m(x, w), m(y, h)), m(i, n) = i for i < n, 2n - 2 - i otherwise.
// A direction of 2 pixels or less is not mirrored.
QImage BuildMirrorTile(const QImage& source);

// Two bands of bricks: the source, and below it the source rotated left by w / 2 columns.
QImage BuildBrickTile(const QImage& source);

// The source at twice its size, each pixel a 2 x 2 block.
QImage BuildDoubleTile(const QImage& source);

// Size of the canvas with the screen's proportions and where the image goes on it.
struct RatioLayout {
  QSize size;
  QPoint offset;
};

// The canvas keeps the image's full size in the direction where the image is relatively
// larger and widens the other direction to the screen's proportions, the image centred
// with the smaller half of the fill before it. A screen without area leaves the image as
// it is. Throws TCompositionError when the canvas would exceed the limits.
RatioLayout RatioStretchLayout(QSize image, QSize screen);

// The source centred, unscaled, on a canvas of RatioStretchLayout filled with fill.
QImage BuildRatioStretch(const QImage& source, QSize screen, QRgb fill);

// The layout of code (3 to 6) composed from source; an empty bitmap for any other code.
QImage ComposeSpecial(const QImage& source, DispObj code, QRgb fill, QSize screen);
