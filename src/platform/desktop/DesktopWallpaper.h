// The desktop's wallpaper values and their hand-over to the running desktop.
//
// Data flow: the wallpaper engine writes "Wallpaper", "WallpaperStyle" and "TileWallpaper"
// with SetValue (they persist between runs, as registry values do), then calls Reload,
// which hands them to the desktop through the backend chosen at start-up. GetValue reads
// them back for the tray hint: what the desktop really shows where it can tell, otherwise
// the last values written.
//
// Fading: FadeNextChange before a Reload, ReloadFromMemory or ReloadMonitors asks that
// hand-over to fade from what shows over the given time (where the program draws the
// wallpaper itself: the X root, our Wayland background), unless the desktop asks for reduced
// motion. On the X root the fade runs in steps of this thread's event loop after the call
// returns: Fading tells whether it still runs, FinishFade lands it on its final frame at once
// (before the program ends), WhenFadeDone is told when it is over. Our Wayland background fades
// on its own: the hand-over is over once it has taken the pictures, so Fading is false then.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// What the desktop's lock screen shows: a picture of its own that this program can set
// (KDE Plasma's), the desktop's own wallpaper already (GNOME, Cinnamon, MATE, XFCE), or
// neither that this program could reach.
enum class LockScreenReach { None, ShowsDesktop, Own };

// One monitor's picture when every monitor shows its own: a picture file of exactly the
// monitor's size, for the output of that name at that place (device pixels).
struct MonitorWallpaper {
  std::string output;
  QRect rect;
  std::string file;
  bool operator==(const MonitorWallpaper&) const = default;
};

// The wallpaper file's picture already in memory, for a desktop that draws it itself
// instead of reading the file back: exactly what the file holds (whole is its size), or for
// a centred wallpaper a part cut from its middle (CenterPart), whose pixels land where the
// whole picture's would wherever the part is large enough.
struct WallpaperMemory {
  const QImage& picture;
  QSize whole;
};

// A failure to store or hand over the values; the text is shown to the user as it stands.
class TDesktopError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IDesktopWallpaper {
 public:
  virtual ~IDesktopWallpaper() = default;
  // Makes sure the value store exists; throws TDesktopError "Failed to create key %s".
  virtual void OpenKey() = 0;
  // Stores one value; throws TDesktopError "Failed to set data for '%s'".
  virtual void SetValue(const std::string& name, const std::string& value) = 0;
  // nullopt when the value was never written and the desktop cannot tell.
  virtual std::optional<std::string> GetValue(const std::string& name) = 0;
  // Hands the stored values to the running desktop; throws TDesktopError naming the
  // backend and the reason when the desktop cannot be reached.
  virtual void Reload() = 0;
  // Whether ReloadFromMemory can show a picture at all, so that a caller decodes only a part
  // of a picture where it can.
  virtual bool DrawsFromMemory() const { return false; }
  // Reload, with the wallpaper file's picture in memory before the file is written: true when
  // the desktop was shown it; false, with nothing handed over, when the desktop reads the file
  // or memory cannot show what the file would (the file must then be written and Reload
  // called). Throws as Reload does.
  virtual bool ReloadFromMemory(const WallpaperMemory&) { return false; }
  // Records every monitor's picture (the stored values keep the primary's) and hands them to
  // the running desktop; throws as Reload does.
  virtual void ReloadMonitors(const std::vector<MonitorWallpaper>& monitors) { recorded_ = monitors; }
  // The monitors' pictures last recorded; empty after a change to one picture for all.
  virtual std::vector<MonitorWallpaper> RecordedMonitors() const { return recorded_; }
  // The monitors were added, removed, moved or resized. Desktops that place the wallpaper
  // themselves need nothing; a picture drawn for the old layout is drawn again, at once.
  virtual void ScreensChanged() {}
  // Whether the desktop switches by itself to the picture in the value "WallpaperDark" (empty:
  // "Wallpaper" for both) while its colour scheme is dark.
  virtual bool SwitchesSchemeItself() const { return false; }
  // What the desktop's lock screen shows (DesktopBackend.h), and ShowOnLockScreen tells a
  // lock screen with a picture of its own to show file; throws TDesktopError when it cannot.
  virtual LockScreenReach LockScreen() const { return LockScreenReach::None; }
  virtual void ShowOnLockScreen(const std::string&) {}

  // The next hand-over (Reload, ReloadFromMemory or ReloadMonitors) fades over duration, then
  // changes are at once again. Zero, the default, changes at once exactly as before; no fade
  // either while the desktop asks for reduced motion, or on a desktop that draws the wallpaper
  // itself.
  virtual void FadeNextChange(std::chrono::milliseconds) {}
  // Whether a fade of this program still runs.
  virtual bool Fading() const { return false; }
  // Lands a running fade on its final frame at once.
  virtual void FinishFade() {}
  // done runs once when no fade of this program runs any more: at once when none runs.
  virtual void WhenFadeDone(std::function<void()> done) { done(); }

 private:
  std::vector<MonitorWallpaper> recorded_;
};

class IDesktopBackend;
class TDesktopValues;
struct WallpaperValues;

// The stored values plus the backend that shows them. reducedMotion, when given, is asked at
// each hand-over that would fade; true changes at once.
class TDesktopWallpaper final : public IDesktopWallpaper {
 public:
  TDesktopWallpaper(std::unique_ptr<TDesktopValues> values, std::unique_ptr<IDesktopBackend> backend,
                    std::function<bool()> reducedMotion = {});
  ~TDesktopWallpaper() override;

  void OpenKey() override;
  void SetValue(const std::string& name, const std::string& value) override;
  // "Wallpaper" and "TileWallpaper" come from the desktop where it can tell.
  std::optional<std::string> GetValue(const std::string& name) override;
  void Reload() override;
  bool DrawsFromMemory() const override;
  bool ReloadFromMemory(const WallpaperMemory& memory) override;
  void ReloadMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  std::vector<MonitorWallpaper> RecordedMonitors() const override;
  void ScreensChanged() override;
  bool SwitchesSchemeItself() const override;
  LockScreenReach LockScreen() const override;
  void ShowOnLockScreen(const std::string& file) override;
  void FadeNextChange(std::chrono::milliseconds duration) override { fadeNext_ = duration; }
  bool Fading() const override;
  void FinishFade() override;
  void WhenFadeDone(std::function<void()> done) override;

  IDesktopBackend& Backend() { return *backend_; }

 private:
  // The stored values, the record of several monitors' pictures cleared.
  WallpaperValues ValuesToShow();
  // Hands the asked fade to the backend for the hand-over that follows, and forgets it.
  void PassFade();

  std::unique_ptr<TDesktopValues> values_;
  std::unique_ptr<IDesktopBackend> backend_;
  std::function<bool()> reducedMotion_;
  std::chrono::milliseconds fadeNext_{0};
};
