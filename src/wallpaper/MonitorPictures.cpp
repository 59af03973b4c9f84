#include "wallpaper/MonitorPictures.h"

#include "platform/desktop/x11/RootPicture.h"
#include "wallpaper/Compositions.h"

namespace {

WallpaperLayout LayoutOf(DispObj method) {
  const DispAttr attr = DispTypeAttr(method);
  if (attr.isTile) return WallpaperLayout::Tile;
  return attr.isStretch ? WallpaperLayout::Stretch : WallpaperLayout::Center;
}

}  // namespace

QImage FillArea(const QImage& source, DispObj method, QSize area, QRgb fill) {
  CheckComposedSize(area.width(), area.height());
  const QImage composed = IsSpecial(method) ? ComposeSpecial(source, method, fill, area) : source;
  return ComposeRootPicture(composed, LayoutOf(method), area);
}

std::optional<TDecodeTarget> AreaDecodeTarget(DispObj method, QSize area) {
  switch (method) {
    case DispObj::Stretch:
      return TDecodeTarget{area};
    case DispObj::RatioStretch:
      return TDecodeTarget{area, true};
    case DispObj::Center:
      return TDecodeTarget{area, false, DecodeUse::Centred};
    default:
      return std::nullopt;
  }
}

std::vector<QRect> MonitorRects(const std::vector<TMonitor>& monitors) {
  std::vector<QRect> rects;
  for (const TMonitor& monitor : monitors) rects.push_back(monitor.rect);
  return rects;
}

QRect SpanRect(const std::vector<QRect>& monitors) {
  QRect span;
  for (const QRect& monitor : monitors) span = span.united(monitor);
  return span;
}

QImage PartOf(const QImage& canvas, QRect span, QRect monitor) {
  return canvas.copy(monitor.translated(-span.topLeft()));
}
