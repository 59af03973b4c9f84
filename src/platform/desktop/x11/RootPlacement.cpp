#include "platform/desktop/x11/RootPlacement.h"

namespace {

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

// The odd pixel of an uneven margin goes after the picture; a larger picture is cropped evenly.
QRect Centred(QSize picture, const QRect& area) {
  return {area.left() + FloorHalf(area.width() - picture.width()),
          area.top() + FloorHalf(area.height() - picture.height()), picture.width(), picture.height()};
}

}  // namespace

std::vector<RootPlacement> RootPlacements(WallpaperLayout layout, QSize picture, QSize root,
                                          const std::vector<QRect>& monitors) {
  const QRect whole(QPoint(0, 0), root);
  if (layout == WallpaperLayout::Tile) return {{whole, QRect(QPoint(0, 0), picture)}};
  std::vector<QRect> areas;
  for (const QRect& monitor : monitors)
    if (const QRect area = monitor & whole; !area.isEmpty()) areas.push_back(area);
  if (areas.empty()) areas.push_back(whole);
  std::vector<RootPlacement> placements;
  for (const QRect& area : areas)
    placements.push_back({area, layout == WallpaperLayout::Stretch ? area : Centred(picture, area)});
  return placements;
}

bool PartCoversMonitors(QSize part, QSize whole, QSize root, const std::vector<QRect>& monitors) {
  const auto covers = [](int part, int whole, int area) {
    return part == whole || (part <= whole && (whole - part) % 2 == 0 && part >= area);
  };
  for (const RootPlacement& place : RootPlacements(WallpaperLayout::Center, whole, root, monitors))
    if (!covers(part.width(), whole.width(), place.area.width()) ||
        !covers(part.height(), whole.height(), place.area.height()))
      return false;
  return true;
}
