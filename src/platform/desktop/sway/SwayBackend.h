// sway: one RUN_COMMAND message over its IPC socket ($SWAYSOCK).
#pragma once

#include "platform/desktop/DesktopBackend.h"

class TSwayBackend final : public IDesktopBackend {
 public:
  // An empty socket path means $SWAYSOCK.
  explicit TSwayBackend(std::string socketPath = {}) : socketPath_(std::move(socketPath)) {}
  std::string Name() const override { return "sway"; }
  void Apply(const WallpaperValues& values) override;
  // "output <name> bg <file> stretch" for each monitor.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;

 private:
  void Run(const std::string& command);

  std::string socketPath_;
};
