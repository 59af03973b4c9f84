// One way of handing the wallpaper to the running desktop. A backend receives the picture
// file and its layout, already decoded from the stored values, and tells the desktop; where
// the desktop can say what it shows, Query reports it.
#pragma once

#include <optional>
#include <string>

#include "platform/DesktopWallpaper.h"

enum class WallpaperLayout { Tile, Center, Stretch };

// An empty file means no wallpaper: the desktop shows its plain background.
struct WallpaperValues {
  std::string file;
  WallpaperLayout layout = WallpaperLayout::Center;
};

// What the desktop really shows.
struct ShownWallpaper {
  std::string file;
  bool tiled = false;
};

// "TileWallpaper" "1" tiles whatever "WallpaperStyle" holds (a tiled method leaves the style
// of an earlier stretch in place); otherwise style "2" stretches and anything else centres.
WallpaperLayout LayoutFromValues(const std::string& style, const std::string& tile);

class IDesktopBackend {
 public:
  virtual ~IDesktopBackend() = default;
  // Short name used in error texts and by the TESSERINE_DESKTOP override.
  virtual std::string Name() const = 0;
  // Throws TDesktopError "<name>: <reason>" when the desktop cannot be reached.
  virtual void Apply(const WallpaperValues& values) = 0;
  // nullopt when this desktop cannot tell, or cannot be asked right now.
  virtual std::optional<ShownWallpaper> Query() { return std::nullopt; }
  // The monitor layout changed; nothing to do for a desktop that places the wallpaper itself.
  virtual void ScreensChanged() {}
};

// Throws TDesktopError with "<backend>: <reason>".
[[noreturn]] void ThrowBackendError(const std::string& backend, const std::string& reason);
