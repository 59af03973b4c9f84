#include "platform/desktop/x11/X11ErrorTrap.h"

namespace {

int firstError = 0;

int RecordError(Display*, XErrorEvent* event) {
  if (firstError == 0) firstError = event->error_code;
  return 0;
}

}  // namespace

TX11ErrorTrap::TX11ErrorTrap() : previous_(XSetErrorHandler(RecordError)) { firstError = 0; }

TX11ErrorTrap::~TX11ErrorTrap() { XSetErrorHandler(previous_); }

int TX11ErrorTrap::Sync(Display* display) {
  XSync(display, False);
  const int error = firstError;
  firstError = 0;
  return error;
}
