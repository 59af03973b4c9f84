#include "platform/desktop/x11/X11RootBackend.h"

// Qt headers must come before Xlib's, whose macros (Status, None, ...) break them.
// clang-format off
#include <QImage>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/desktop/x11/DesktopWindows.h"
#include "platform/desktop/x11/RandrMonitors.h"
#include "platform/desktop/x11/RootFade.h"
#include "platform/desktop/x11/RootPicture.h"
#include "platform/desktop/x11/RootPlacement.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/desktop/x11/RootPixmap.h"
#include "platform/desktop/x11/X11ErrorTrap.h"
// clang-format on

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

[[noreturn]] void Fail(const std::string& why, DesktopFailure failure = DesktopFailure::Refused) {
  ThrowBackendError("x11", failure, why);
}

QImage LoadPicture(const std::string& file) {
  if (file.empty()) return {};
  return QImage(QString::fromLocal8Bit(file.c_str()));
}

DisplayPtr OpenDisplay(const std::string& displayName) {
  DisplayPtr display(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str()));
  if (!display) {
    const std::string name = XDisplayName(displayName.c_str());
    Fail(name.empty() ? std::string("DISPLAY is not set") : "display " + name + " cannot be opened",
         DesktopFailure::Unreachable);
  }
  return display;
}

}  // namespace

void TX11RootBackend::Apply(const WallpaperValues& values) {
  Publish([&values](QSize root, const std::vector<QRect>& monitors) -> std::optional<QImage> {
    return ComposeRootPicture(LoadPicture(values.file), values.layout, root, monitors);
  });
  shown_ = values;
  shownMonitors_.clear();
}

bool TX11RootBackend::ApplyFromMemory(const WallpaperValues& values, const WallpaperMemory& memory) {
  const bool part = memory.picture.size() != memory.whole;
  if (part && values.layout != WallpaperLayout::Center) return false;
  const bool drawn = Publish([&](QSize root, const std::vector<QRect>& monitors) -> std::optional<QImage> {
    if (part && !PartCoversMonitors(memory.picture.size(), memory.whole, root, monitors)) return std::nullopt;
    return ComposeRootPicture(memory.picture, values.layout, root, monitors);
  });
  if (!drawn) return false;
  shown_ = values;
  shownMonitors_.clear();
  return true;
}

void TX11RootBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Publish([&monitors](QSize root, const std::vector<QRect>&) -> std::optional<QImage> {
    std::vector<QRect> places;
    for (const MonitorWallpaper& monitor : monitors) places.push_back(monitor.rect);
    return ComposeMonitorsPicture(monitors, root, places);
  });
  shown_.reset();
  shownMonitors_ = monitors;
}

TX11RootBackend::TX11RootBackend(std::string displayName)
    : displayName_(std::move(displayName)), fade_(std::make_unique<TRootFade>(displayName_)) {}

TX11RootBackend::~TX11RootBackend() = default;

bool TX11RootBackend::Publish(const std::function<std::optional<QImage>(QSize, const std::vector<QRect>&)>& compose) {
  const std::chrono::milliseconds fade = std::exchange(fadeNext_, std::chrono::milliseconds(0));
  TX11ErrorTrap trap;
  const DisplayPtr display = OpenDisplay(displayName_);
  Display* dpy = display.get();
  const int screen = DefaultScreen(dpy);
  const Window root = RootWindow(dpy, screen);
  const int width = DisplayWidth(dpy, screen);
  const int height = DisplayHeight(dpy, screen);
  const int depth = DefaultDepth(dpy, screen);

  const std::vector<QRect> monitors = RandrMonitors(dpy, root);
  const std::optional<QImage> composed = compose(QSize(width, height), monitors);
  if (!composed) return false;
  const QImage& picture = *composed;
  if (picture.isNull())
    Fail("not enough memory for a " + std::to_string(width) + " x " + std::to_string(height) + " picture");
  // Under another program's desktop window the picture is drawn at once and the change fails:
  // a fade nobody sees would only keep running after the failure was told.
  const std::optional<TCoveredMonitor> hidden =
      FirstCoveredMonitor(ListDesktopWindows(dpy), QSize(width, height), monitors);
  if (fade.count() > 0 && !hidden) {
    if (const unsigned long final = fade_->Start(picture, fade)) {
      published_ = final;
      return true;
    }
  }
  fade_->Finish();

  const Pixmap pixmap = XCreatePixmap(dpy, root, width, height, depth);
  PutPicture(dpy, pixmap, picture, depth, DefaultVisual(dpy, screen));
  if (const int error = trap.Sync(dpy)) {
    XFreePixmap(dpy, pixmap);
    trap.Sync(dpy);
    Fail("the root pixmap was refused with X error " + std::to_string(error));
  }

  const RootPixmapAtoms atoms = InternRootPixmapAtoms(dpy);
  FreePreviousPixmap(dpy, root, atoms, pixmap, trap);
  ShowRootPixmap(dpy, root, atoms, pixmap, true);
  XSetCloseDownMode(dpy, RetainPermanent);
  if (const int error = trap.Sync(dpy)) Fail("the root background was refused with X error " + std::to_string(error));
  // Both properties name the pixmap, so the next change frees it; not recorded as ours, so a
  // new monitor layout does not draw a failed change again.
  if (hidden) Fail(CoveredMonitorText(*hidden), DesktopFailure::Hidden);
  published_ = pixmap;
  return true;
}

void TX11RootBackend::ScreensChanged() {
  fade_->Finish();
  fadeNext_ = std::chrono::milliseconds(0);
  if (!shown_ && shownMonitors_.empty()) return;
  {
    const DisplayPtr display = OpenDisplay(displayName_);
    Display* dpy = display.get();
    const Window root = DefaultRootWindow(dpy);
    if (ReadPixmapProperty(dpy, root, XInternAtom(dpy, "_XROOTPMAP_ID", False)) != published_) {
      shown_.reset();
      shownMonitors_.clear();
      return;
    }
  }
  if (shown_) {
    const WallpaperValues values = *shown_;
    Apply(values);
    return;
  }
  // Each monitor of the new layout keeps its picture where its place is the same; any other
  // shows the primary's until the next change.
  const std::vector<MonitorWallpaper> shown = shownMonitors_;
  Publish([&shown](QSize root, const std::vector<QRect>& monitors) -> std::optional<QImage> {
    return ComposeMonitorsPicture(shown, root, monitors);
  });
}

bool TX11RootBackend::Fading() const { return fade_->Running(); }

void TX11RootBackend::FinishFade() { fade_->Finish(); }

void TX11RootBackend::WhenFadeDone(std::function<void()> done) { fade_->WhenDone(std::move(done)); }

int TX11RootBackend::FadeFrames() const { return fade_->FramesShown(); }
