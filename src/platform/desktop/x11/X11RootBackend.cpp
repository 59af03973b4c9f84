#include "platform/desktop/x11/X11RootBackend.h"

// Qt headers must come before Xlib's, whose macros (Status, None, ...) break them.
// clang-format off
#include <QImage>
#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/x11/DesktopWindows.h"
#include "platform/desktop/x11/RandrMonitors.h"
#include "platform/desktop/x11/RootPicture.h"
#include "platform/desktop/x11/RootPlacement.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

bool IsHostOrderRgb32(const XImage& image) {
  const int one = 1;
  const int hostOrder = *reinterpret_cast<const char*>(&one) == 1 ? LSBFirst : MSBFirst;
  return image.bits_per_pixel == 32 && image.byte_order == hostOrder && image.red_mask == 0xff0000 &&
         image.green_mask == 0xff00 && image.blue_mask == 0xff;
}

unsigned long PackChannel(unsigned value, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const unsigned long max = mask >> shift;
  return ((value * max + 127) / 255) << shift;
}

// Copies the picture into a server-side pixmap; the fast path sends our pixels as they are.
void PutPicture(Display* display, Drawable target, const QImage& picture, int depth, Visual* visual) {
  XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, picture.width(), picture.height(), 32, 0);
  if (!image) Fail("no image for the root window could be made");
  std::vector<char> converted;
  if (IsHostOrderRgb32(*image) && image->bytes_per_line == picture.bytesPerLine()) {
    image->data = const_cast<char*>(reinterpret_cast<const char*>(picture.constBits()));
  } else {
    converted.resize(static_cast<size_t>(image->bytes_per_line) * picture.height());
    image->data = converted.data();
    for (int y = 0; y < picture.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb c = row[x];
        XPutPixel(image, x, y,
                  PackChannel(qRed(c), image->red_mask) | PackChannel(qGreen(c), image->green_mask) |
                      PackChannel(qBlue(c), image->blue_mask));
      }
    }
  }
  GC gc = XCreateGC(display, target, 0, nullptr);
  XPutImage(display, target, gc, image, 0, 0, 0, 0, picture.width(), picture.height());
  XFreeGC(display, gc);
  image->data = nullptr;
  XDestroyImage(image);
}

std::optional<Pixmap> ReadPixmapProperty(Display* display, Window root, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status =
      XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after, &data);
  std::optional<Pixmap> result;
  if (status == Success && type == XA_PIXMAP && format == 32 && count == 1 && data)
    result = *reinterpret_cast<Pixmap*>(data);
  if (data) XFree(data);
  return result;
}

// Another setter's pixmap is freed only when both properties name it: that is how setters
// which keep their pixmap alive mark it as theirs to give up. The id may be stale or bogus;
// the trap keeps the resulting errors from ending us.
void FreePreviousPixmap(Display* display, Window root, Atom rootId, Atom esetrootId, Pixmap ours, TX11ErrorTrap& trap) {
  const auto previous = ReadPixmapProperty(display, root, rootId);
  const auto esetroot = ReadPixmapProperty(display, root, esetrootId);
  if (previous && esetroot && *previous == *esetroot && *previous != ours && *previous != None) {
    XKillClient(display, *previous);
    trap.Sync(display);
  }
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

bool TX11RootBackend::Publish(const std::function<std::optional<QImage>(QSize, const std::vector<QRect>&)>& compose) {
  TX11ErrorTrap trap;
  const DisplayPtr display = OpenDisplay(displayName_);
  Display* dpy = display.get();
  const int screen = DefaultScreen(dpy);
  const Window root = RootWindow(dpy, screen);
  const int width = DisplayWidth(dpy, screen);
  const int height = DisplayHeight(dpy, screen);
  const int depth = DefaultDepth(dpy, screen);

  const std::optional<QImage> composed = compose(QSize(width, height), RandrMonitors(dpy, root));
  if (!composed) return false;
  const QImage& picture = *composed;
  if (picture.isNull())
    Fail("not enough memory for a " + std::to_string(width) + " x " + std::to_string(height) + " picture");

  const Pixmap pixmap = XCreatePixmap(dpy, root, width, height, depth);
  PutPicture(dpy, pixmap, picture, depth, DefaultVisual(dpy, screen));
  if (const int error = trap.Sync(dpy)) {
    XFreePixmap(dpy, pixmap);
    trap.Sync(dpy);
    Fail("the root pixmap was refused with X error " + std::to_string(error));
  }

  XSetWindowBackgroundPixmap(dpy, root, pixmap);
  XClearWindow(dpy, root);
  const Atom rootId = XInternAtom(dpy, "_XROOTPMAP_ID", False);
  const Atom esetrootId = XInternAtom(dpy, "ESETROOT_PMAP_ID", False);
  FreePreviousPixmap(dpy, root, rootId, esetrootId, pixmap, trap);
  for (const Atom property : {rootId, esetrootId})
    XChangeProperty(dpy, root, property, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
  XSetCloseDownMode(dpy, RetainPermanent);
  if (const int error = trap.Sync(dpy)) Fail("the root background was refused with X error " + std::to_string(error));
  ThrowIfDesktopWindowHidesRoot(dpy);
  published_ = pixmap;
  return true;
}

void TX11RootBackend::ScreensChanged() {
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
