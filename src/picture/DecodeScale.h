// How much of a picture is decoded when it is only shown on the desktop. Stretched: libjpeg
// can decode a JPEG at N/8 of its size in its inverse DCT (N = 1..8), which is both faster
// and better filtered than decoding it whole and dropping pixels in the stretch; libwebp
// scales a WebP to any size as it decodes, and a PNG is averaged row by row as it is
// decoded. Centred: libjpeg can leave out rows and columns and libwebp can crop, so only
// the middle that the monitors show is decoded; a PNG keeps only those rows and columns.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>

enum class DecodeUse { Stretched, Centred };

// Stretched: the size a picture is stretched to, all of box, or (keepRatio) the largest
// size of the picture's proportions that fits in box. Centred: box is the largest width and
// the largest height of the monitors the picture is centred on.
struct TDecodeTarget {
  QSize box;
  bool keepRatio = false;
  DecodeUse use = DecodeUse::Stretched;
  bool operator==(const TDecodeTarget&) const = default;
};

// A picture decoded for a target, with the size the file itself states.
struct TScaledPicture {
  QImage picture;
  QSize fileSize;
};

// The size picture takes on the screen under target.
QSize StretchedSize(QSize picture, const TDecodeTarget& target);

// libjpeg's size for picture decoded at eighths/8: each side rounded up.
QSize EighthsSize(QSize picture, int eighths);

// The smallest N (1..8) whose EighthsSize is at least StretchedSize on both axes; 8 (the
// whole picture) when the picture is no larger than that size on some axis, and for a
// centred target.
int DecodeEighths(QSize picture, const TDecodeTarget& target);

// The size a decoder that reduces to any size decodes picture at for a stretched target:
// StretchedSize when the picture is at least that large on both axes and larger on one;
// nullopt (the whole picture, exactly as without a target) when the stretch enlarges it on
// some axis or leaves it as it is, and for a centred target.
std::optional<QSize> ReducedSize(QSize picture, const TDecodeTarget& target);

// The rectangle of picture that shows when it is centred on monitors no larger than box:
// on an axis where the picture is larger than box, its middle box pixels, one more when the
// difference is odd, so that the part keeps the picture's size parity and, centred the same
// way (the odd pixel of a margin after the picture), lands pixel for pixel where the whole
// picture does on every such monitor; the whole axis otherwise. An empty box gives the
// whole picture.
QRect CenterPart(QSize picture, QSize box);
