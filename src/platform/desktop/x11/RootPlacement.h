// Where the wallpaper goes on an X root window that spans several monitors. A tiled
// wallpaper runs across the whole root from its origin; a centred or stretched one is drawn
// once per monitor, at that monitor's size and place. Monitors are clipped to the root, and
// a root without a monitor inside it counts as one monitor covering it.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

#include "platform/desktop/DesktopBackend.h"

struct RootPlacement {
  QRect area;     // the root pixels this placement paints
  QRect picture;  // where the whole picture lands (for a tiling, its first tile); may reach beyond area
  bool operator==(const RootPlacement&) const = default;
};

std::vector<RootPlacement> RootPlacements(WallpaperLayout layout, QSize picture, QSize root,
                                          const std::vector<QRect>& monitors);
