#include "platform/desktop/x11/RootPicture.h"

#include <algorithm>
#include <vector>

#include "platform/desktop/x11/RootPlacement.h"
#include "platform/system/ImageMemory.h"

namespace {

int Modulo(int value, int n) { return ((value % n) + n) % n; }

void Tile(const QImage& src, QImage& out, const RootPlacement& place) {
  const int w = src.width();
  const QRect& area = place.area;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(Modulo(y - place.picture.top(), src.height())));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    int column = Modulo(area.left() - place.picture.left(), w);
    for (int x = area.left(); x <= area.right(); column = 0) {
      const int run = std::min(w - column, area.right() + 1 - x);
      std::copy_n(from + column, run, to + x);
      x += run;
    }
  }
}

// Blackens the whole area first: where monitors overlap, the later one shows its own margin.
void Center(const QImage& src, QImage& out, const RootPlacement& place) {
  const QRect& area = place.area;
  for (int y = area.top(); y <= area.bottom(); ++y)
    std::fill_n(reinterpret_cast<QRgb*>(out.scanLine(y)) + area.left(), area.width(), qRgb(0, 0, 0));
  const QRect shown = area & place.picture;
  if (shown.isEmpty()) return;
  const int left = shown.left() - place.picture.left();
  for (int y = shown.top(); y <= shown.bottom(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(y - place.picture.top()));
    std::copy_n(from + left, shown.width(), reinterpret_cast<QRgb*>(out.scanLine(y)) + shown.left());
  }
}

void Stretch(const QImage& src, QImage& out, const RootPlacement& place) {
  const QRect shown = place.area & place.picture;
  const QRect& to = place.picture;
  const qint64 w = src.width();
  const qint64 h = src.height();
  std::vector<int> column(shown.width());
  for (int x = 0; x < shown.width(); ++x) column[x] = static_cast<int>((shown.left() + x - to.left()) * w / to.width());
  for (int y = shown.top(); y <= shown.bottom(); ++y) {
    const auto* from =
        reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>((y - to.top()) * h / to.height())));
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y)) + shown.left();
    for (int x = 0; x < shown.width(); ++x) row[x] = from[column[x]];
  }
}

}  // namespace

QImage ComposeRootPicture(const QImage& picture, WallpaperLayout layout, QSize root,
                          const std::vector<QRect>& monitors) {
  const QImage src = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  const std::vector<RootPlacement> places = RootPlacements(layout, src.size(), root, monitors);
  // A picture of the root's size placed over all of it is the root's picture as it is.
  const QRect whole(QPoint(0, 0), root);
  if (!src.isNull() && src.size() == root && places.size() == 1 && places.front().area == whole &&
      places.front().picture == whole)
    return src;
  QImage out = AllocateImage(root, QImage::Format_RGB32);
  out.fill(Qt::black);
  if (src.isNull() || out.isNull()) return out;
  const auto draw = layout == WallpaperLayout::Tile ? Tile : layout == WallpaperLayout::Center ? Center : Stretch;
  for (const RootPlacement& place : places) draw(src, out, place);
  return out;
}

QImage ComposeMonitorsPicture(const std::vector<MonitorWallpaper>& shown, QSize root,
                              const std::vector<QRect>& places) {
  QImage out = AllocateImage(root, QImage::Format_RGB32);
  out.fill(Qt::black);
  if (shown.empty() || out.isNull()) return out;
  std::vector<QRect> targets = places;
  if (targets.empty())
    for (const MonitorWallpaper& monitor : shown) targets.push_back(monitor.rect);
  for (const QRect& place : targets) {
    const auto same = std::find_if(shown.begin(), shown.end(),
                                   [&place](const MonitorWallpaper& monitor) { return monitor.rect == place; });
    const std::string& file = same != shown.end() ? same->file : shown.front().file;
    const QImage picture = QImage(QString::fromLocal8Bit(file.c_str())).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) continue;
    Stretch(picture, out, {place & QRect(QPoint(0, 0), root), place});
  }
  return out;
}

QImage ComposeLayoutCanvas(const std::vector<MonitorWallpaper>& monitors) {
  QRect span;
  for (const MonitorWallpaper& monitor : monitors) span = span.united(monitor.rect);
  std::vector<MonitorWallpaper> placed = monitors;
  for (MonitorWallpaper& monitor : placed) monitor.rect.translate(-span.topLeft());
  return ComposeMonitorsPicture(placed, span.size(), {});
}
