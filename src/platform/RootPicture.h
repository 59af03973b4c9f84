// The picture an X root window shows: the wallpaper tiled from the top-left corner, centred
// on black (cropped evenly when larger than the screen), or stretched to the screen by
// repeating or dropping pixels. A null picture gives a black screen.
#pragma once

#include <QImage>
#include <QSize>

#include "platform/DesktopBackend.h"

QImage ComposeRootPicture(const QImage& picture, WallpaperLayout layout, QSize screen);
