// sway: one RUN_COMMAND message over its IPC socket ($SWAYSOCK).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/desktop/DesktopBackend.h"

struct SwayVersion {
  int major = 0;
  int minor = 0;
  auto operator<=>(const SwayVersion&) const = default;
};

class TSwayBackend final : public IDesktopBackend {
 public:
  // An empty socket path means $SWAYSOCK.
  explicit TSwayBackend(std::string socketPath = {}) : socketPath_(std::move(socketPath)) {}
  std::string Name() const override { return "sway"; }
  void Apply(const WallpaperValues& values) override;
  // "output <name> bg <file> stretch" for each monitor.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  // The running sway's version; nullopt when it cannot be asked.
  std::optional<SwayVersion> Version();

 private:
  void Run(const std::string& command);
  // One message of that type and its answer's payload; throws TDesktopError.
  std::string Ask(uint32_t type, const std::string& payload);

  std::string socketPath_;
};
