// The screen saver's state from the X server's MIT-SCREEN-SAVER extension. The connection
// is opened at the first question and kept; without a display or the extension the answer
// is false.
#pragma once

#include <string>

#include "platform/screen/ScreenSaverState.h"

struct _XDisplay;

class TX11ScreenSaver final : public IScreenSaverState {
 public:
  explicit TX11ScreenSaver(std::string displayName = {}) : displayName_(std::move(displayName)) {}
  ~TX11ScreenSaver() override;
  TX11ScreenSaver(const TX11ScreenSaver&) = delete;
  TX11ScreenSaver& operator=(const TX11ScreenSaver&) = delete;

  bool ScreenSaverRunning() override;

 private:
  bool Connect();

  std::string displayName_;
  _XDisplay* display_ = nullptr;
  bool unavailable_ = false;
};
