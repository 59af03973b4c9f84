// The picture an X root window shows: the wallpaper tiled from the root's top-left corner,
// or on each monitor centred on black (cropped evenly when larger than the monitor) or
// stretched to the monitor by repeating or dropping pixels. No monitors means one covering
// the root; where monitors overlap, the later one in the list is drawn over the earlier. A
// null picture gives a black screen.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

#include "platform/desktop/DesktopBackend.h"

QImage ComposeRootPicture(const QImage& picture, WallpaperLayout layout, QSize root,
                          const std::vector<QRect>& monitors = {});

// The root with each monitor's own picture: every place in places shows the picture of the
// shown monitor at that same place, or the first (primary) one's where none was there, each
// stretched to its place when its size differs. No places means the shown monitors' own.
QImage ComposeMonitorsPicture(const std::vector<MonitorWallpaper>& shown, QSize root, const std::vector<QRect>& places);

// For a desktop that shows one picture across all monitors: a canvas of the rectangle that
// holds every monitor, each monitor's picture in its place, black between them.
QImage ComposeLayoutCanvas(const std::vector<MonitorWallpaper>& monitors);
