#include "platform/desktop/WindowedDesktopBackend.h"

const char* PcmanfmMode(const WallpaperValues& values) {
  if (values.file.empty()) return "color";
  switch (values.layout) {
    case WallpaperLayout::Tile:
      return "tile";
    case WallpaperLayout::Stretch:
      return "stretch";
    case WallpaperLayout::Center:
      break;
  }
  return "center";
}

void TWindowedDesktopBackend::Apply(const WallpaperValues& values) {
  fallbackShown_ = !DesktopRuns();
  if (fallbackShown_)
    fallback_->Apply(values);
  else
    Show(values);
}

void TWindowedDesktopBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  fallbackShown_ = !DesktopRuns();
  if (fallbackShown_)
    fallback_->ApplyMonitors(monitors);
  else
    ShowMonitors(monitors);
}

std::optional<ShownWallpaper> TWindowedDesktopBackend::Query() {
  return fallbackShown_ ? fallback_->Query() : std::nullopt;
}

void TWindowedDesktopBackend::ScreensChanged() {
  if (fallbackShown_) fallback_->ScreensChanged();
}
