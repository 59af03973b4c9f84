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

// Whether part, a picture cut from the middle of a whole picture (CenterPart: the same size
// parity on each axis, never larger), shows on every monitor of a centred wallpaper what the
// whole picture would there: on each axis it is the whole picture or at least as large as
// every monitor's area.
bool PartCoversMonitors(QSize part, QSize whole, QSize root, const std::vector<QRect>& monitors);
