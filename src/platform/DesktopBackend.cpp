#include "platform/DesktopBackend.h"

WallpaperLayout LayoutFromValues(const std::string& style, const std::string& tile) {
  if (tile == "1") return WallpaperLayout::Tile;
  if (style == "2") return WallpaperLayout::Stretch;
  return WallpaperLayout::Center;
}

void ThrowBackendError(const std::string& backend, const std::string& reason) {
  throw TDesktopError(backend + ": " + reason);
}
