// Handing the current entry to the desktop.
//
// Data flow: the main window gathers an ApplyRequest (entry, method, options, where the
// converted bitmap goes, screen size) and a callback that loads the picture (composed for
// the special methods). ApplyToDesktop opens the desktop's value store, runs the load,
// writes the converted bitmap when the desktop cannot take the file itself, stores
// "Wallpaper", "WallpaperStyle" and "TileWallpaper" and asks the desktop to reload them.
#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <optional>
#include <string>

#include "platform/DesktopWallpaper.h"
#include "wallpaper/DispMethods.h"

struct ApplyRequest {
  std::string name;  // the image file
  DispObj code = DispObj::None;
  bool plusInstalled = false;  // the desktop stretches by itself
  std::string convertFileName;
  QSize screenSize;
};

// What the desktop is given for a request: the wallpaper file, the style (nullopt when it
// is not written and keeps its previous value), the tile flag, and the size the picture is
// stretched to before it is written to the converted file (nullopt: written as it is).
struct ApplyPlan {
  bool convert = false;
  std::optional<QSize> stretchTo;
  std::string wallpaper;
  std::optional<std::string> style;
  std::string tile;
};

ApplyPlan PlanApply(const ApplyRequest& request);

// Opens the value store, then runs picture (which may throw: nothing has been written
// then), writes the converted file when the plan says so (errors in that write are
// ignored: the desktop is still pointed at the converted file), runs pictureUsed (after
// which the picture is not touched, so the caller may free it before the desktop loads its
// own copy), stores the values and reloads the desktop. TDesktopError from the store or
// the reload skips the rest.
void ApplyToDesktop(const ApplyRequest& request, const std::function<const QImage&()>& picture,
                    IDesktopWallpaper& desktop, const std::function<void()>& pictureUsed = {});
