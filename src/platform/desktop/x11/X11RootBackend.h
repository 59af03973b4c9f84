// Draws the wallpaper on the X root window, per RandR monitor where the layout asks for it
// (RootPicture.h): a pixmap the size of the root becomes the root's background and is
// published through _XROOTPMAP_ID and ESETROOT_PMAP_ID, so compositors and terminals find
// it. The pixmap outlives our connection; the previous one named by both properties is
// freed, as other root setters expect. Nobody else redraws it for a new monitor layout, so
// the backend does, as long as the root still shows its pixmap. A hand-over asked to fade
// blends from what shows to the new picture (RootFade.h); a remake for a new layout never does.
// Where another program's desktop window covers a monitor (DesktopWindows.h), the root is
// drawn all the same, at once, but the change fails naming that program: nobody would see it.
#pragma once

#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/DesktopBackend.h"

class TRootFade;

class TX11RootBackend final : public IDesktopBackend {
 public:
  // An empty display name means $DISPLAY.
  explicit TX11RootBackend(std::string displayName = {});
  // Lands a running fade.
  ~TX11RootBackend() override;
  std::string Name() const override { return "x11"; }
  // A file that cannot be read shows as a black screen, as no wallpaper would.
  void Apply(const WallpaperValues& values) override;
  bool DrawsFromMemory() const override { return true; }
  // Draws memory's picture instead of reading the file; a part of a centred picture only
  // where it covers every monitor (PartCoversMonitors), otherwise nothing is drawn. A new
  // monitor layout draws the file again.
  bool ApplyFromMemory(const WallpaperValues& values, const WallpaperMemory& memory) override;
  // Each monitor's picture drawn in its rectangle of the root.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  // Draws the last applied values again for the new layout, unless another program has
  // set the root's pixmap since.
  void ScreensChanged() override;
  // A fade needs RENDER and a pixmap of the root's size on the root to start from; without
  // them the change is at once.
  void FadeNext(std::chrono::milliseconds duration) override { fadeNext_ = duration; }
  bool Fading() const override;
  void FinishFade() override;
  void WhenFadeDone(std::function<void()> done) override;
  // Frames shown by this backend's fades so far, the final ones included.
  int FadeFrames() const;

 private:
  // Puts compose's picture of the root (given its size and RandR monitors) on the root;
  // a compose that gives nullopt leaves the root as it was, and Publish returns false.
  bool Publish(const std::function<std::optional<QImage>(QSize, const std::vector<QRect>&)>& compose);

  std::string displayName_;
  std::optional<WallpaperValues> shown_;
  std::vector<MonitorWallpaper> shownMonitors_;
  unsigned long published_ = 0;  // the pixmap id of the last Apply
  std::chrono::milliseconds fadeNext_{0};
  std::unique_ptr<TRootFade> fade_;
};
