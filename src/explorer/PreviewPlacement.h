// Where the Image Explorer's preview box draws its picture, for each display option.
#pragma once

#include <QRect>
#include <QSize>

enum class PreviewMode { Shrink, Tile, Stretch };

struct TPreviewPlacement {
  enum class Kind { Nothing, Tiled, Stretched };
  Kind kind = Kind::Nothing;
  // Stretched: the rectangle the picture is stretched into. Tiled: the tile (the picture's
  // own size at the origin), repeated over the box.
  QRect target;
  // Shrink: the picture is wider or taller than the box.
  bool shrunk = false;
};

// Integer nearest to x, halves going to the even integer.
int RoundHalfEven(double x);

// The placement of a picture in a box. Stretch fills the box from (0, 0) to (W - 1, H - 1),
// drawing W - 1 x H - 1 pixels; Shrink keeps a fitting picture at its own size at the top
// left and stretches a larger one, keeping its proportions, into the box the same way; Tile
// repeats the picture. A picture without pixels or a box without room draws nothing.
TPreviewPlacement PlacePreview(PreviewMode mode, QSize picture, QSize box);
