// The lock screen's wallpaper, for a desktop whose lock screen keeps a picture of its own
// (KDE Plasma's). Desktops whose lock screen shows the desktop's own picture (GNOME,
// Cinnamon, MATE, XFCE) have none.
#pragma once

#include <string>

class ILockScreen {
 public:
  virtual ~ILockScreen() = default;
  // The lock screen shows file from now on; throws TDesktopError when it cannot be told.
  virtual void Show(const std::string& file) = 0;
};
