// One way of handing the wallpaper to the running desktop. A backend receives the picture
// file and its layout, already decoded from the stored values, and tells the desktop; where
// the desktop can say what it shows, Query reports it. A backend that draws the picture itself
// can fade from what shows to the new picture (FadeNext).
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/DesktopWallpaper.h"

enum class WallpaperLayout { Tile, Center, Stretch };

// An empty file means no wallpaper: the desktop shows its plain background.
struct WallpaperValues {
  std::string file;
  WallpaperLayout layout = WallpaperLayout::Center;
  // For a desktop that switches between a light and a dark picture by itself: the dark
  // one; empty: file for both.
  std::string darkFile{};
};

// What the desktop really shows.
struct ShownWallpaper {
  std::string file;
  bool tiled = false;
};

// "TileWallpaper" "1" tiles whatever "WallpaperStyle" holds (a tiled method leaves the style
// of an earlier stretch in place); otherwise style "2" stretches and anything else centres.
WallpaperLayout LayoutFromValues(const std::string& style, const std::string& tile);

class IDesktopBackend {
 public:
  virtual ~IDesktopBackend() = default;
  // Short name used in error texts and by the TESSERINE_DESKTOP override.
  virtual std::string Name() const = 0;
  // Throws TDesktopError "<name>: <reason>" when the desktop cannot be reached.
  virtual void Apply(const WallpaperValues& values) = 0;
  // Whether ApplyFromMemory can show a picture; false for a desktop that reads the file.
  virtual bool DrawsFromMemory() const { return false; }
  // Apply, with the file's picture in memory (the file may not be written yet): false, with
  // nothing shown, when memory cannot show what the file would; the caller then writes the
  // file and calls Apply. Throws as Apply does.
  virtual bool ApplyFromMemory(const WallpaperValues&, const WallpaperMemory&) { return false; }
  // Each monitor's picture on its monitor, the primary first. A desktop that cannot show one
  // per monitor shows the primary's stretched on every monitor.
  virtual void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
    Apply({monitors.empty() ? std::string() : monitors.front().file, WallpaperLayout::Stretch});
  }
  // nullopt when this desktop cannot tell, or cannot be asked right now.
  virtual std::optional<ShownWallpaper> Query() { return std::nullopt; }
  // Whether the desktop shows WallpaperValues::darkFile by itself while its scheme is dark,
  // so the program need not make the wallpaper again when the scheme changes.
  virtual bool SwitchesSchemeItself() const { return false; }
  virtual LockScreenReach LockScreen() const { return LockScreenReach::None; }
  // The lock screen shows file from now on, where it keeps a picture of its own (Own); throws
  // TDesktopError when the lock screen cannot be told.
  virtual void ShowOnLockScreen(const std::string&) {}
  // The monitor layout changed; nothing to do for a desktop that places the wallpaper itself.
  // The picture drawn again for the new layout never fades.
  virtual void ScreensChanged() {}

  // The next Apply, ApplyFromMemory or ApplyMonitors fades from what shows to the new picture
  // over duration; that hand-over takes the duration and the one after changes at once again.
  // Zero changes at once; a backend that cannot fade ignores it.
  virtual void FadeNext(std::chrono::milliseconds) {}
  // Whether a fade of this program still runs (a fade that another program draws, such as
  // our Wayland background's, does not count: its hand-over is over once the picture is taken).
  virtual bool Fading() const { return false; }
  // Ends a running fade at once on its final frame, the picture a change at once would show.
  virtual void FinishFade() {}
  // done runs once, as soon as no fade of this program runs: at once when none runs.
  virtual void WhenFadeDone(std::function<void()> done) { done(); }
};

// How a hand-over failed, in the words the user reads.
enum class DesktopFailure {
  Unreachable,  // "could not be reached": no bus, no socket, no display, the service is not there
  NotStarted,   // "could not be started": the program that draws the wallpaper did not run
  Refused,      // "did not take the wallpaper": the desktop answered with an error
  FileName,     // "cannot be given this file name": the name cannot travel to the desktop unchanged
  Hidden,       // "drew the wallpaper behind another program's desktop": it is drawn, but a window hides it
};

// The sentence a user reads, naming the desktop by its backend's name and what failed, for
// example "The XFCE desktop settings service could not be reached (no D-Bus session bus);
// the wallpaper was not changed."
std::string DesktopFailureText(const std::string& backend, DesktopFailure failure, const std::string& detail);

// Throws TDesktopError with DesktopFailureText.
[[noreturn]] void ThrowBackendError(const std::string& backend, DesktopFailure failure, const std::string& detail);
