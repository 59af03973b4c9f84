#include "platform/desktop/DesktopBackend.h"

WallpaperLayout LayoutFromValues(const std::string& style, const std::string& tile) {
  if (tile == "1") return WallpaperLayout::Tile;
  if (style == "2") return WallpaperLayout::Stretch;
  return WallpaperLayout::Center;
}

namespace {

std::string DesktopOf(const std::string& backend) {
  if (backend == "x11") return "The X server";
  if (backend == "gnome") return "The GNOME desktop settings (GSettings)";
  if (backend == "cinnamon") return "The Cinnamon desktop settings (GSettings)";
  if (backend == "mate") return "The MATE desktop settings (GSettings)";
  if (backend == "kde") return "The KDE Plasma desktop (plasmashell)";
  if (backend == "xfce") return "The XFCE desktop settings service";
  if (backend == "sway") return "The sway compositor";
  if (backend == "swaybg") return "The Wayland background program swaybg";
  if (backend == "background") return "Tesserine's Wayland background (tesserine-background)";
  if (backend == "lxqt") return "The LXQt desktop (pcmanfm-qt)";
  if (backend == "lxde") return "The LXDE desktop (pcmanfm)";
  return "The desktop \"" + backend + "\"";
}

const char* WhatFailed(DesktopFailure failure) {
  switch (failure) {
    case DesktopFailure::NotStarted:
      return "could not be started";
    case DesktopFailure::Refused:
      return "did not take the wallpaper";
    case DesktopFailure::FileName:
      return "cannot be given this file name";
    case DesktopFailure::Hidden:
      return "drew the wallpaper behind another program's desktop";
    case DesktopFailure::Unreachable:
      break;
  }
  return "could not be reached";
}

}  // namespace

std::string DesktopFailureText(const std::string& backend, DesktopFailure failure, const std::string& detail) {
  return DesktopOf(backend) + " " + WhatFailed(failure) + " (" + detail + "); the wallpaper was not changed.";
}

void ThrowBackendError(const std::string& backend, DesktopFailure failure, const std::string& detail) {
  throw TDesktopError(DesktopFailureText(backend, failure, detail));
}
