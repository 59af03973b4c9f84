// The headless backend: the stored values are all there is. It remembers what it was last
// asked to show, so tests can see what a desktop would have been told.
#pragma once

#include "platform/desktop/DesktopBackend.h"

class TFileBackend final : public IDesktopBackend {
 public:
  std::string Name() const override { return "file"; }
  void Apply(const WallpaperValues& values) override;

  int ApplyCount() const { return applyCount_; }
  const WallpaperValues& LastApplied() const { return last_; }

 private:
  int applyCount_ = 0;
  WallpaperValues last_;
};
