#include "wallpaper/BusyCounter.h"

void TBusyCounter::BeginBusy() {
  if (count_ == 0 && cursorSwitch_) cursorSwitch_(true);
  ++count_;
}

void TBusyCounter::EndBusy() {
  --count_;
  if (count_ < 0) count_ = 0;
  if (count_ == 0 && cursorSwitch_) cursorSwitch_(false);
}
