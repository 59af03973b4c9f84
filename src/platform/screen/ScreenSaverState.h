// Whether the system's screen saver is running right now.
#pragma once

class IScreenSaverState {
 public:
  virtual ~IScreenSaverState() = default;
  virtual bool ScreenSaverRunning() = 0;
};
