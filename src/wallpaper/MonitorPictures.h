// The pictures the program makes for several monitors, each the exact size of what it
// covers, so that every desktop shows them pixel for pixel: with "Next image on each", one
// per monitor from its own entry; with "One image across all", one across the rectangle that
// holds every monitor, cut into each monitor's part.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

#include "picture/DecodeScale.h"
#include "platform/screen/ScreenMetrics.h"
#include "wallpaper/DispMethods.h"

// The picture source shows by method on an area of the given size: tiles from the area's
// top-left corner, centred on black (cropped evenly when larger), or stretched to fill it,
// the program's own layouts composed first (a ratio stretch to the area's proportions).
QImage FillArea(const QImage& source, DispObj method, QSize area, QRgb fill);

// What FillArea of method on area needs of the picture, so that a large JPEG, PNG or WebP is
// decoded only as far as the area shows it: a stretch's size on the area (a ratio stretch keeps the
// picture's proportions), a centred picture's part inside the area; nullopt (the whole
// picture) for tiles and the tiled layouts, whose result the whole picture defines.
std::optional<TDecodeTarget> AreaDecodeTarget(DispObj method, QSize area);

// The monitors' rectangles, in their order.
std::vector<QRect> MonitorRects(const std::vector<TMonitor>& monitors);

// The rectangle that holds every monitor.
QRect SpanRect(const std::vector<QRect>& monitors);

// The part of a canvas covering span that the monitor shows.
QImage PartOf(const QImage& canvas, QRect span, QRect monitor);
