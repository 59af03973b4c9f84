// Reads the X root window (or a pixmap) back as a picture, so display tests compare what the screen shows.
// Include after the Qt headers: Xlib's macros clash with Qt's names.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <QImage>

// A window's or pixmap's pixels from its top-left corner; null when the server refuses.
inline QImage ReadDrawable(Display* display, Drawable drawable, QSize size) {
  XImage* image = XGetImage(display, drawable, 0, 0, size.width(), size.height(), AllPlanes, ZPixmap);
  if (!image) return {};
  QImage out(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < size.width(); ++x) row[x] = 0xff000000u | (XGetPixel(image, x, y) & 0xffffff);
  }
  XDestroyImage(image);
  return out;
}

inline QImage ReadRootWindow(Display* display, QSize size) {
  return ReadDrawable(display, DefaultRootWindow(display), size);
}
