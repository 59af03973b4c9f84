#include <QImage>
#include <vector>

#include "platform/desktop/DesktopBackend.h"
// clang-format off
#include "platform/desktop/x11/RootPixmap.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on

namespace {

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

}  // namespace

RootPixmapAtoms InternRootPixmapAtoms(Display* display) {
  return {XInternAtom(display, "_XROOTPMAP_ID", False), XInternAtom(display, "ESETROOT_PMAP_ID", False)};
}

// The fast path sends our pixels as they are.
void PutPicture(Display* display, Drawable target, const QImage& picture, int depth, Visual* visual) {
  XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, picture.width(), picture.height(), 32, 0);
  if (!image) ThrowBackendError("x11", DesktopFailure::Refused, "no image for the root window could be made");
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

void FreePreviousPixmap(Display* display, Window root, const RootPixmapAtoms& atoms, Pixmap ours, TX11ErrorTrap& trap) {
  const auto previous = ReadPixmapProperty(display, root, atoms.rootId);
  const auto esetroot = ReadPixmapProperty(display, root, atoms.esetrootId);
  if (previous && esetroot && *previous == *esetroot && *previous != ours && *previous != None) {
    XKillClient(display, *previous);
    trap.Sync(display);
  }
}

void ShowRootPixmap(Display* display, Window root, const RootPixmapAtoms& atoms, Pixmap pixmap, bool retained) {
  XSetWindowBackgroundPixmap(display, root, pixmap);
  XClearWindow(display, root);
  XChangeProperty(display, root, atoms.rootId, XA_PIXMAP, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pixmap), 1);
  if (retained)
    XChangeProperty(display, root, atoms.esetrootId, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
  else
    XDeleteProperty(display, root, atoms.esetrootId);
}
