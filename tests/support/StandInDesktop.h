// Stand-ins for the desktop's services: a value store that only remembers what it was
// given (and a lock screen that records what it was shown), and a screen saver that runs
// only when the test says so and counts the questions.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/DesktopWallpaper.h"
#include "platform/screen/ScreenSaverState.h"

class TMemoryDesktop final : public IDesktopWallpaper {
 public:
  void OpenKey() override {}
  void SetValue(const std::string& name, const std::string& value) override { values[name] = value; }
  std::optional<std::string> GetValue(const std::string& name) override {
    const auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void Reload() override {}
  LockScreenReach LockScreen() const override { return lockScreen; }
  void ShowOnLockScreen(const std::string& file) override {
    if (!lockScreenFailure.empty()) throw TDesktopError(lockScreenFailure);
    lockScreenShown.push_back(file);
  }
  std::map<std::string, std::string> values;
  LockScreenReach lockScreen = LockScreenReach::None;
  // Set: the lock screen cannot be told, with this reason.
  std::string lockScreenFailure;
  std::vector<std::string> lockScreenShown;
};

class TSwitchableScreenSaver final : public IScreenSaverState {
 public:
  bool ScreenSaverRunning() override {
    ++asked;
    return running;
  }
  bool running = false;
  int asked = 0;
};
