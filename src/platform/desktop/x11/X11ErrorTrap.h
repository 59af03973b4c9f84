// While one of these lives, X protocol errors are recorded instead of reaching Xlib's
// default handler, which prints and exits. Only for the X11 sources of this folder.
#pragma once

#include <X11/Xlib.h>

class TX11ErrorTrap {
 public:
  TX11ErrorTrap();
  ~TX11ErrorTrap();
  TX11ErrorTrap(const TX11ErrorTrap&) = delete;
  TX11ErrorTrap& operator=(const TX11ErrorTrap&) = delete;

  // Waits for every request sent so far, then returns the first error code seen since the
  // last call (0 for none) and forgets it.
  int Sync(Display* display);

 private:
  XErrorHandler previous_;
};
