#include "platform/RootPicture.h"

#include <algorithm>
#include <vector>

namespace {

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

void Tile(const QImage& src, QImage& out) {
  const int w = src.width();
  const int h = src.height();
  for (int y = 0; y < out.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(y % h));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); x += w) std::copy_n(from, std::min(w, out.width() - x), to + x);
  }
}

void Center(const QImage& src, QImage& out) {
  const int left = FloorHalf(out.width() - src.width());
  const int top = FloorHalf(out.height() - src.height());
  const int x0 = std::max(0, left);
  const int x1 = std::min(out.width(), left + src.width());
  for (int y = std::max(0, top); y < std::min(out.height(), top + src.height()); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(y - top));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    std::copy(from + (x0 - left), from + (x1 - left), to + x0);
  }
}

void Stretch(const QImage& src, QImage& out) {
  const qint64 w = src.width();
  const qint64 h = src.height();
  std::vector<int> column(out.width());
  for (int x = 0; x < out.width(); ++x) column[x] = static_cast<int>(x * w / out.width());
  for (int y = 0; y < out.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(y * h / out.height())));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) to[x] = from[column[x]];
  }
}

}  // namespace

QImage ComposeRootPicture(const QImage& picture, WallpaperLayout layout, QSize screen) {
  QImage out(screen, QImage::Format_RGB32);
  out.fill(Qt::black);
  if (picture.isNull() || out.isNull()) return out;
  const QImage src = picture.convertToFormat(QImage::Format_RGB32);
  switch (layout) {
    case WallpaperLayout::Tile:
      Tile(src, out);
      break;
    case WallpaperLayout::Center:
      Center(src, out);
      break;
    case WallpaperLayout::Stretch:
      Stretch(src, out);
      break;
  }
  return out;
}
