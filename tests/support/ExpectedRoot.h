// What the X root shows for a picture, worked out pixel by pixel as a reference for the
// drawing code: tiled from the root's origin, or on each monitor (clipped to the root; the
// whole root when none is inside it) centred on black with the odd pixel after the picture,
// or stretched so that monitor pixel x shows picture column x * w / width. A later monitor
// paints over an earlier one.
#pragma once

#include <QImage>
#include <QRect>
#include <vector>

#include "platform/desktop/DesktopBackend.h"

inline QImage ExpectedRoot(const QImage& picture, WallpaperLayout layout, QSize root,
                           const std::vector<QRect>& monitors = {}) {
  QImage out(root, QImage::Format_RGB32);
  out.fill(Qt::black);
  const QImage src = picture.convertToFormat(QImage::Format_RGB32);
  if (src.isNull()) return out;
  const int w = src.width(), h = src.height();
  const QRect whole(QPoint(0, 0), root);
  std::vector<QRect> areas;
  for (const QRect& monitor : monitors)
    if (!(monitor & whole).isEmpty()) areas.push_back(monitor & whole);
  if (layout == WallpaperLayout::Tile || areas.empty()) areas = {whole};
  for (const QRect& a : areas) {
    const int left = a.left() + (a.width() - w >= 0 ? (a.width() - w) / 2 : -((w - a.width() + 1) / 2));
    const int top = a.top() + (a.height() - h >= 0 ? (a.height() - h) / 2 : -((h - a.height() + 1) / 2));
    for (int y = a.top(); y <= a.bottom(); ++y)
      for (int x = a.left(); x <= a.right(); ++x) {
        if (layout == WallpaperLayout::Tile)
          out.setPixel(x, y, src.pixel(x % w, y % h));
        else if (layout == WallpaperLayout::Stretch)
          out.setPixel(x, y,
                       src.pixel(int(qint64(x - a.left()) * w / a.width()), int(qint64(y - a.top()) * h / a.height())));
        else if (x >= left && x < left + w && y >= top && y < top + h)
          out.setPixel(x, y, src.pixel(x - left, y - top));
        else
          out.setPixel(x, y, qRgb(0, 0, 0));
      }
  }
  return out;
}
