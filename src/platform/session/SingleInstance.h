// One running instance per user and display: an exclusive open-file-description lock on a
// file in the user's runtime folder, named after the display's key (DisplayKey). The kernel drops the lock when
// the holder ends in any way, so a killed instance never blocks the next start, and a live one
// never loses it. Whether it is held can be asked without taking it, so a command that asks
// never makes a starting program believe another copy runs.
#pragma once

#include <string>
#include <string_view>

class TSingleInstance {
 public:
  TSingleInstance() = default;
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // True when this object now holds the lock of display; false when another holder has it.
  // A lock file that cannot be opened lets the start go on rather than refuse it.
  bool TryAcquire(const std::string& display);

  // True when some process holds the lock of display; takes nothing.
  static bool IsHeld(const std::string& display);

  // $XDG_RUNTIME_DIR (or a private /tmp/tesserine-<uid>) plus a file named after display.
  static std::string LockPath(const std::string& display);
  // The key of a session's display. Under Wayland it is the compositor's socket, whether or
  // not an Xwayland DISPLAY is set beside it: a start from a systemd user unit often has
  // WAYLAND_DISPLAY alone while one from the compositor has both, and both must take one
  // lock. The socket is named relative to runtimeDir, as a full path in it is the same
  // socket. Without Wayland it is the X display without its screen number (":0" for
  // ":0.0" and "unix:0"); without either, "none".
  static std::string DisplayKey(std::string_view x11Display, std::string_view waylandDisplay,
                                std::string_view runtimeDir);
  // The key of the display this process runs on, from $DISPLAY, $WAYLAND_DISPLAY and
  // $XDG_RUNTIME_DIR.
  static std::string CurrentDisplay();

 private:
  int fd_ = -1;
};
