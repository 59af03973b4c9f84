#include "wallpaper/BusyCursor.h"

void TBusyCursor::BeginBusy() {
  if (count_ == 0 && cursorSwitch_) cursorSwitch_(true);
  ++count_;
}

void TBusyCursor::EndBusy() {
  --count_;
  if (count_ < 0) count_ = 0;
  if (count_ == 0 && cursorSwitch_) cursorSwitch_(false);
}
