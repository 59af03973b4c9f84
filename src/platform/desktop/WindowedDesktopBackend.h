// Desktops whose file manager draws the desktop as a window of its own (LXQt's pcmanfm-qt,
// LXDE's pcmanfm): while it draws the desktop, the wallpaper goes to it through its own
// interface; while it does not, to the fallback, the backend the session would get without
// the desktop's name (the X root under X11). Neither program is ever started for a change.
// The desktop draws the picture itself, so a change it takes never fades; one the fallback
// takes fades as the fallback would on its own.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

#include "platform/desktop/DesktopBackend.h"

// The mode pcmanfm and pcmanfm-qt name for values: "color" (no picture) for no file, else
// "tile", "center" or "stretch".
const char* PcmanfmMode(const WallpaperValues& values);

class TWindowedDesktopBackend : public IDesktopBackend {
 public:
  explicit TWindowedDesktopBackend(std::unique_ptr<IDesktopBackend> fallback) : fallback_(std::move(fallback)) {}

  void Apply(const WallpaperValues& values) final;
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) final;
  // The fallback's, while it showed the last change.
  std::optional<ShownWallpaper> Query() final;
  // Only a fallback that showed the last change is told: a root drawn again under the
  // desktop's window would not show.
  void ScreensChanged() final;
  void FadeNext(std::chrono::milliseconds duration) final { fadeNext_ = duration; }
  // The fallback's fade is the only one of this program; a change the desktop takes lands it.
  bool Fading() const final { return fallback_->Fading(); }
  void FinishFade() final { fallback_->FinishFade(); }
  void WhenFadeDone(std::function<void()> done) final { fallback_->WhenFadeDone(std::move(done)); }

 protected:
  // Whether the program draws the desktop now, asked without waiting on it unbounded.
  virtual bool DesktopRuns() = 0;
  // The program's desktop shows values; throws TDesktopError when it refuses or does not
  // answer in time.
  virtual void Show(const WallpaperValues& values) = 0;
  virtual void ShowMonitors(const std::vector<MonitorWallpaper>& monitors) = 0;

 private:
  // Whether the fallback takes the change that follows, which then fades as asked.
  bool ToFallback();

  std::unique_ptr<IDesktopBackend> fallback_;
  bool fallbackShown_ = false;
  std::chrono::milliseconds fadeNext_{0};
};
