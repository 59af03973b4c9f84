// Picks, once at start-up, how the wallpaper reaches the running desktop and how the screen
// saver's state is asked. TESSERINE_DESKTOP (x11, gnome, cinnamon, mate, kde, xfce, lxqt,
// lxde, sway, swaybg, background, file) overrides; otherwise XDG_CURRENT_DESKTOP decides;
// otherwise, under Wayland (sway and every other wlroots compositor), our own background
// program; otherwise the X root window when there is a display, else the headless file
// backend. sway's IPC and swaybg are had only by name. The stored values live in the
// program's configuration folder whatever the choice.
#pragma once

#include <memory>
#include <string>

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/screen/ScreenSaverState.h"

enum class DesktopKind { X11, Gnome, Cinnamon, Mate, Kde, Xfce, Lxqt, Lxde, Sway, Swaybg, Background, File, Unknown };

struct PlatformEnvironment {
  std::string desktopOverride;  // TESSERINE_DESKTOP
  std::string currentDesktop;   // XDG_CURRENT_DESKTOP
  bool x11Display = false;      // DISPLAY set
  bool wayland = false;         // WAYLAND_DISPLAY set, or XDG_SESSION_TYPE "wayland"
  bool waylandDisplay = false;  // WAYLAND_DISPLAY set
  bool x11Built = false;
};

PlatformEnvironment CurrentEnvironment();

// Unknown only for an override naming no backend.
DesktopKind ChooseDesktop(const PlatformEnvironment& environment);

// A backend that cannot work in this build, or an unknown override, fails at each
// hand-over with the reason.
std::unique_ptr<IDesktopBackend> CreateDesktopBackend(DesktopKind kind, const PlatformEnvironment& environment);

std::unique_ptr<IDesktopWallpaper> CreateDesktopWallpaper();

enum class ScreenSaverKind { X11, DBus };
ScreenSaverKind ChooseScreenSaver(const PlatformEnvironment& environment);
std::unique_ptr<IScreenSaverState> CreateScreenSaverState();
