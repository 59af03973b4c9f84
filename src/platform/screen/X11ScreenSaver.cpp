#include "platform/screen/X11ScreenSaver.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include "platform/desktop/x11/X11ErrorTrap.h"

TX11ScreenSaver::~TX11ScreenSaver() {
  if (display_) XCloseDisplay(display_);
}

bool TX11ScreenSaver::Connect() {
  if (display_) return true;
  if (unavailable_) return false;
  display_ = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  int event = 0;
  int error = 0;
  if (display_ && !XScreenSaverQueryExtension(display_, &event, &error)) {
    XCloseDisplay(display_);
    display_ = nullptr;
    unavailable_ = true;
  }
  return display_ != nullptr;
}

bool TX11ScreenSaver::ScreenSaverRunning() {
  TX11ErrorTrap trap;
  if (!Connect()) return false;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (!info) return false;
  const bool running =
      XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info) && info->state == ScreenSaverOn;
  XFree(info);
  return trap.Sync(display_) == 0 && running;
}
