// Which desktops run the XDG autostart entries of the start-up folder at log-in. Desktop
// environments (GNOME, KDE, XFCE, MATE, Cinnamon, ...) do, and name themselves in
// XDG_CURRENT_DESKTOP; sway, i3, Hyprland and river do not, nor does a window manager or
// compositor that names no desktop at all: their users start programs from the compositor's
// configuration or from a systemd user unit.
#pragma once

#include <string>

struct TAutostartEnvironment {
  std::string currentDesktop;  // XDG_CURRENT_DESKTOP, names separated by ":"
  bool display = false;        // DISPLAY or WAYLAND_DISPLAY set
};

TAutostartEnvironment CurrentAutostartEnvironment();

// True only where the desktop is known to leave the start-up folder's entries unstarted.
bool IgnoresStartupFolder(const TAutostartEnvironment& environment);
