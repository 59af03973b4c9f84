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

#include "platform/DesktopBackend.h"

QImage ComposeRootPicture(const QImage& picture, WallpaperLayout layout, QSize root,
                          const std::vector<QRect>& monitors = {});
