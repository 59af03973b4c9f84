#include "explorer/PreviewPlacement.h"

#include <algorithm>
#include <cmath>

int RoundHalfEven(double x) {
  const double down = std::floor(x);
  const double fraction = x - down;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(down, 2.0) != 0.0)) return static_cast<int>(down) + 1;
  return static_cast<int>(down);
}

namespace {

// A rectangle from (0, 0) to (right, bottom) in the convention of the original drawing
// calls: right and bottom are excluded.
TPreviewPlacement Stretched(int right, int bottom, bool shrunk) {
  TPreviewPlacement placement;
  placement.shrunk = shrunk;
  if (right <= 0 || bottom <= 0) return placement;
  placement.kind = TPreviewPlacement::Kind::Stretched;
  placement.target = QRect(0, 0, right, bottom);
  return placement;
}

}  // namespace

TPreviewPlacement PlacePreview(PreviewMode mode, QSize picture, QSize box) {
  const int pw = picture.width(), ph = picture.height();
  const int w = box.width(), h = box.height();
  if (pw <= 0 || ph <= 0 || w <= 0 || h <= 0) return {};
  switch (mode) {
    case PreviewMode::Tile:
      return {TPreviewPlacement::Kind::Tiled, QRect(0, 0, pw, ph), false};
    case PreviewMode::Stretch:
      return Stretched(w - 1, h - 1, false);
    case PreviewMode::Shrink:
      break;
  }
  if (pw <= w && ph <= h) return Stretched(pw, ph, false);
  if (static_cast<double>(pw) / w > static_cast<double>(ph) / h)
    return Stretched(w - 1, RoundHalfEven(static_cast<double>(ph) / pw * w) - 1, true);
  return Stretched(RoundHalfEven(static_cast<double>(pw) / ph * h) - 1, h - 1, true);
}
