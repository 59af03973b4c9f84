// The size a picture is decoded at when it is only shown stretched: libjpeg can decode a
// JPEG at N/8 of its size in its inverse DCT (N = 1..8), which is both faster and better
// filtered than decoding it whole and dropping pixels in the stretch.
#pragma once

#include <QSize>

// The size a picture is stretched to: all of box, or (keepRatio) the largest size of the
// picture's proportions that fits in box.
struct TDecodeTarget {
  QSize box;
  bool keepRatio = false;
  bool operator==(const TDecodeTarget&) const = default;
};

// The size picture takes on the screen under target.
QSize StretchedSize(QSize picture, const TDecodeTarget& target);

// libjpeg's size for picture decoded at eighths/8: each side rounded up.
QSize EighthsSize(QSize picture, int eighths);

// The smallest N (1..8) whose EighthsSize is at least StretchedSize on both axes; 8 (the
// whole picture) when the picture is no larger than that size on some axis.
int DecodeEighths(QSize picture, const TDecodeTarget& target);
