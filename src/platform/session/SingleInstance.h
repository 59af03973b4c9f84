// One running instance per user and display: an exclusive open-file-description lock on a
// file in the user's runtime folder, named after the display. The kernel drops the lock when
// the holder ends in any way, so a killed instance never blocks the next start, and a live one
// never loses it. Whether it is held can be asked without taking it, so a command that asks
// never makes a starting program believe another copy runs.
#pragma once

#include <string>

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
  // The display this process runs on: $DISPLAY, else $WAYLAND_DISPLAY, else "none".
  static std::string CurrentDisplay();

 private:
  int fd_ = -1;
};
