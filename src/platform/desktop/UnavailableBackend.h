// Stands in for a desktop that this program cannot drive (an unknown TESSERINE_DESKTOP
// name, or a backend left out of this build): every hand-over fails with the reason, while
// the values stay stored.
#pragma once

#include "platform/desktop/DesktopBackend.h"

class TUnavailableBackend final : public IDesktopBackend {
 public:
  TUnavailableBackend(std::string name, std::string reason) : name_(std::move(name)), reason_(std::move(reason)) {}
  std::string Name() const override { return name_; }
  void Apply(const WallpaperValues&) override { ThrowBackendError(name_, DesktopFailure::Unreachable, reason_); }

 private:
  std::string name_;
  std::string reason_;
};
