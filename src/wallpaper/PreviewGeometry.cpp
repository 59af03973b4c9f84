#include "wallpaper/PreviewGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// picture x box div screen, at least 1. A picture can be 2^28 pixels wide, so the product
// needs 64 bits; the quotient is capped to int, which only a screen of a few pixels reaches.
int ScaledSide(int picture, int box, int screen) {
  const std::int64_t scaled = screen > 0 ? std::int64_t{picture} * box / screen : std::int64_t{picture};
  return static_cast<int>(std::clamp<std::int64_t>(scaled, 1, std::numeric_limits<int>::max()));
}

PreviewFill FillOf(DispObj method) {
  switch (method) {
    case DispObj::Tile:
    case DispObj::MirrorTile:
    case DispObj::BrickTile:
    case DispObj::DoubleTile:
      return PreviewFill::Tiled;
    case DispObj::Stretch:
    case DispObj::RatioStretch:
      return PreviewFill::Stretched;
    case DispObj::Center:
      return PreviewFill::Centered;
    default:
      return PreviewFill::Teal;
  }
}

}  // namespace

PreviewPlan PreviewLayout(QSize picture, DispObj method, QSize box, QSize screen) {
  PreviewPlan plan;
  if (picture.width() < 1 || picture.height() < 1) return plan;
  plan.fill = FillOf(method);
  if (plan.fill == PreviewFill::Teal) return plan;

  const int w = std::max(box.width(), 0);
  const int h = std::max(box.height(), 0);
  plan.tw = ScaledSide(picture.width(), w, screen.width());
  plan.th = ScaledSide(picture.height(), h, screen.height());
  switch (plan.fill) {
    case PreviewFill::Tiled:
      // Cells start at x = 0, tw, 2tw, ... while x <= W, and likewise down the box.
      plan.columns = w / plan.tw + 1;
      plan.rows = h / plan.th + 1;
      plan.target = plan.Cell(0, 0);
      break;
    case PreviewFill::Stretched:
      plan.target = QRect(0, 0, w, h);
      break;
    case PreviewFill::Centered:
      plan.target = QRect(w / 2 - plan.tw / 2, h / 2 - plan.th / 2, plan.tw, plan.th);
      break;
    case PreviewFill::Teal:
      break;
  }
  return plan;
}
