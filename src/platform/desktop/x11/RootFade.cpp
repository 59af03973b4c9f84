#include "platform/desktop/x11/RootFade.h"

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/x11/FadeSchedule.h"
// Xlib's macros must come after Qt's headers.
// clang-format off
#include "platform/desktop/x11/RootPixmap.h"
#include "platform/desktop/x11/X11ErrorTrap.h"

#include <X11/extensions/Xrandr.h>
#include <X11/extensions/Xrender.h>
// clang-format on

struct TRootFade::Server {
  Display* display = nullptr;
  Window root = 0;
  int width = 0;
  int height = 0;
  RootPixmapAtoms atoms{};
  // Each frame pixmap holds the picture that showed when the fade (or the latest change during
  // it) began, with held[i] of the new picture blended in so far.
  Pixmap frames[2] = {0, 0};
  double held[2] = {0, 0};
  Pixmap final = 0;
  Pixmap mask = 0;  // 1 x 1 alpha, repeated: the new picture's share
  Picture framePictures[2] = {0, 0};
  Picture finalPicture = 0;
  Picture maskPicture = 0;
  int back = 0;      // the frame drawn next
  Pixmap shown = 0;  // the frame the root shows; 0 before the first
  bool freedPrevious = false;
};

namespace {

bool HasRender(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  return XRenderQueryExtension(display, &eventBase, &errorBase) && XRenderQueryVersion(display, &major, &minor) &&
         (major > 0 || minor >= 1);
}

// The rates of the modes the monitors show.
std::vector<double> MonitorRates(Display* display, Window root) {
  std::vector<double> rates;
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return rates;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (!resources) return rates;
  for (int c = 0; c < resources->ncrtc; ++c) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[c]);
    if (!crtc) continue;
    for (int m = 0; m < resources->nmode && crtc->mode != None; ++m) {
      const XRRModeInfo& mode = resources->modes[m];
      if (mode.id == crtc->mode)
        rates.push_back(ModeRate(mode.dotClock, mode.hTotal, mode.vTotal, mode.modeFlags & RR_Interlace,
                                 mode.modeFlags & RR_DoubleScan));
    }
    XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(resources);
  return rates;
}

// Whether the id names a live pixmap of that size and depth.
bool IsPixmapOf(Display* display, Pixmap pixmap, int width, int height, int depth, TX11ErrorTrap& trap) {
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned w = 0;
  unsigned h = 0;
  unsigned border = 0;
  unsigned d = 0;
  const Status ok = XGetGeometry(display, pixmap, &root, &x, &y, &w, &h, &border, &d);
  return trap.Sync(display) == 0 && ok && static_cast<int>(w) == width && static_cast<int>(h) == height &&
         static_cast<int>(d) == depth;
}

}  // namespace

TRootFade::TRootFade(std::string displayName) : displayName_(std::move(displayName)) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
}

TRootFade::~TRootFade() { Finish(); }

bool TRootFade::Open(QSize size) {
  TX11ErrorTrap trap;
  Display* display = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  if (!display) {
    const std::string name = XDisplayName(displayName_.c_str());
    ThrowBackendError("x11", DesktopFailure::Unreachable,
                      name.empty() ? std::string("DISPLAY is not set") : "display " + name + " cannot be opened");
  }
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  const int depth = DefaultDepth(display, screen);
  const RootPixmapAtoms atoms = InternRootPixmapAtoms(display);
  const std::optional<Pixmap> old = ReadPixmapProperty(display, root, atoms.rootId);
  XRenderPictFormat* format =
      HasRender(display) ? XRenderFindVisualFormat(display, DefaultVisual(display, screen)) : nullptr;
  XRenderPictFormat* alpha = format ? XRenderFindStandardFormat(display, PictStandardA8) : nullptr;
  if (!alpha || size != QSize(DisplayWidth(display, screen), DisplayHeight(display, screen)) || !old ||
      !IsPixmapOf(display, *old, size.width(), size.height(), depth, trap)) {
    XCloseDisplay(display);
    return false;
  }

  auto server = std::make_unique<Server>();
  Server& s = *server;
  s.display = display;
  s.root = root;
  s.width = size.width();
  s.height = size.height();
  s.atoms = atoms;
  GC gc = XCreateGC(display, root, 0, nullptr);
  for (int i = 0; i < 2; ++i) {
    s.frames[i] = XCreatePixmap(display, root, s.width, s.height, depth);
    XCopyArea(display, *old, s.frames[i], gc, 0, 0, s.width, s.height, 0, 0);
    s.framePictures[i] = XRenderCreatePicture(display, s.frames[i], format, 0, nullptr);
  }
  XFreeGC(display, gc);
  s.final = XCreatePixmap(display, root, s.width, s.height, depth);
  s.finalPicture = XRenderCreatePicture(display, s.final, format, 0, nullptr);
  s.mask = XCreatePixmap(display, root, 1, 1, 8);
  XRenderPictureAttributes repeat{};
  repeat.repeat = True;
  s.maskPicture = XRenderCreatePicture(display, s.mask, alpha, CPRepeat, &repeat);
  server_ = std::move(server);
  // The old pixmap may have gone between the check and the copy.
  if (trap.Sync(display) != 0) {
    Abandon();
    return false;
  }
  timer_.setInterval(FrameInterval(MonitorRates(display, root)));
  return true;
}

unsigned long TRootFade::Start(const QImage& picture, std::chrono::milliseconds duration) {
  if (server_ && picture.size() != QSize(server_->width, server_->height)) Finish();
  if (!server_ && !Open(picture.size())) return 0;
  Server& s = *server_;
  TX11ErrorTrap trap;
  // During a fade the next one starts from the frame that shows: both frames hold it.
  if (s.shown != 0)
    XRenderComposite(s.display, PictOpSrc, s.framePictures[1 - s.back], None, s.framePictures[s.back], 0, 0, 0, 0, 0, 0,
                     s.width, s.height);
  s.held[0] = s.held[1] = 0;
  const int screen = DefaultScreen(s.display);
  PutPicture(s.display, s.final, picture, DefaultDepth(s.display, screen), DefaultVisual(s.display, screen));
  if (const int error = trap.Sync(s.display)) {
    Abandon();
    ThrowBackendError("x11", DesktopFailure::Refused,
                      "the root pixmap was refused with X error " + std::to_string(error));
  }
  duration_ = duration;
  clock_.start();
  timer_.start();
  return s.final;
}

void TRootFade::Step() {
  if (!server_) return;
  Server& s = *server_;
  TX11ErrorTrap trap;
  if (s.shown != 0 && ReadPixmapProperty(s.display, s.root, s.atoms.rootId) != s.shown) {
    Abandon();
    return;
  }
  const unsigned short alpha = FadeAlpha(std::chrono::milliseconds(clock_.elapsed()), duration_);
  if (alpha == 0xffff) {
    Land();
    return;
  }
  // One composite a frame: the new picture over what the frame already holds, at the share
  // that brings it to alpha (the 8-bit mask's step, counted as the server will apply it).
  const FadeStep step = NextFadeStep(s.held[s.back], alpha);
  if (step.mask > 0) {
    const XRenderColor share{0, 0, 0, static_cast<unsigned short>(step.mask * 257)};
    XRenderFillRectangle(s.display, PictOpSrc, s.maskPicture, &share, 0, 0, 1, 1);
    XRenderComposite(s.display, PictOpOver, s.finalPicture, s.maskPicture, s.framePictures[s.back], 0, 0, 0, 0, 0, 0,
                     s.width, s.height);
  }
  s.held[s.back] = step.held;
  if (!s.freedPrevious) {
    FreePreviousPixmap(s.display, s.root, s.atoms, s.frames[s.back], trap);
    s.freedPrevious = true;
  }
  ShowRootPixmap(s.display, s.root, s.atoms, s.frames[s.back], false);
  // The round trip also paces the steps to what the server can draw.
  if (trap.Sync(s.display) != 0) {
    Abandon();
    return;
  }
  s.shown = s.frames[s.back];
  s.back = 1 - s.back;
  ++frames_;
}

void TRootFade::Land() {
  Server& s = *server_;
  TX11ErrorTrap trap;
  if (!s.freedPrevious) FreePreviousPixmap(s.display, s.root, s.atoms, s.final, trap);
  ShowRootPixmap(s.display, s.root, s.atoms, s.final, true);
  ++frames_;
  Close(true);
}

void TRootFade::Abandon() { Close(false); }

void TRootFade::Close(bool retainFinal) {
  Server& s = *server_;
  if (retainFinal) {
    TX11ErrorTrap trap;
    for (const Picture picture : {s.framePictures[0], s.framePictures[1], s.finalPicture, s.maskPicture})
      XRenderFreePicture(s.display, picture);
    for (const Pixmap pixmap : {s.frames[0], s.frames[1], s.mask}) XFreePixmap(s.display, pixmap);
    XSetCloseDownMode(s.display, RetainPermanent);
    trap.Sync(s.display);
  }
  XCloseDisplay(s.display);
  server_.reset();
  timer_.stop();
  for (const std::function<void()>& done : std::exchange(done_, {})) done();
}

void TRootFade::Finish() {
  if (server_) Land();
}

void TRootFade::WhenDone(std::function<void()> done) {
  if (!server_) {
    done();
    return;
  }
  done_.push_back(std::move(done));
}
