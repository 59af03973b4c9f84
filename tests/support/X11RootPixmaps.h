// What the X root's pixmap properties name, and whether an id is a live pixmap, for display
// tests that check the root setter's pixmaps. Include after the Qt headers: Xlib's macros
// clash with Qt's names.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include <QSize>
#include <optional>

inline std::optional<Pixmap> RootPixmapProperty(Display* display, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, name, False), 0, 1, False, XA_PIXMAP,
                     &type, &format, &count, &after, &data);
  std::optional<Pixmap> result;
  if (type == XA_PIXMAP && count == 1) result = *reinterpret_cast<Pixmap*>(data);
  if (data) XFree(data);
  return result;
}

namespace x11_root_pixmaps {
inline int lastError = 0;
inline int RecordError(Display*, XErrorEvent* event) {
  lastError = event->error_code;
  return 0;
}
}  // namespace x11_root_pixmaps

// The pixmap's size, nullopt when the id names no live pixmap.
inline std::optional<QSize> LivePixmapSize(Display* display, Pixmap pixmap) {
  Window rootReturn;
  int x, y;
  unsigned w = 0, h = 0, border, depth;
  x11_root_pixmaps::lastError = 0;
  const XErrorHandler previous = XSetErrorHandler(x11_root_pixmaps::RecordError);
  const Status ok = XGetGeometry(display, pixmap, &rootReturn, &x, &y, &w, &h, &border, &depth);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (!ok || x11_root_pixmaps::lastError) return std::nullopt;
  return QSize(static_cast<int>(w), static_cast<int>(h));
}

// How many pixmaps the server holds for all its clients, retained ones included (X-Resource);
// -1 when the server cannot tell.
inline int ServerPixmapCount(Display* display) {
  int eventBase = 0, errorBase = 0;
  if (!XResQueryExtension(display, &eventBase, &errorBase)) return -1;
  int clients = 0;
  XResClient* list = nullptr;
  if (!XResQueryClients(display, &clients, &list)) return -1;
  const Atom pixmap = XInternAtom(display, "PIXMAP", False);
  int count = 0;
  for (int i = 0; i < clients; ++i) {
    int types = 0;
    XResType* held = nullptr;
    if (!XResQueryClientResources(display, list[i].resource_base, &types, &held)) continue;
    for (int t = 0; t < types; ++t)
      if (held[t].resource_type == pixmap) count += static_cast<int>(held[t].count);
    XFree(held);
  }
  XFree(list);
  return count;
}
