#include "platform/desktop/WindowedDesktopBackend.h"

#include <utility>

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

bool TWindowedDesktopBackend::ToFallback() {
  const std::chrono::milliseconds fade = std::exchange(fadeNext_, std::chrono::milliseconds(0));
  fallbackShown_ = !DesktopRuns();
  // A fade of the root left running under the desktop's window would go on unseen.
  if (fallbackShown_)
    fallback_->FadeNext(fade);
  else
    fallback_->FinishFade();
  return fallbackShown_;
}

void TWindowedDesktopBackend::Apply(const WallpaperValues& values) {
  if (ToFallback())
    fallback_->Apply(values);
  else
    Show(values);
}

void TWindowedDesktopBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  if (ToFallback())
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
