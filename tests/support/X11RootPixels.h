// Reads the X root window back as a picture, so display tests compare what the screen shows.
// Include after the Qt headers: Xlib's macros clash with Qt's names.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <QImage>

inline QImage ReadRootWindow(Display* display, QSize size) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, size.width(), size.height(), AllPlanes, ZPixmap);
  QImage out(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < size.width(); ++x) row[x] = 0xff000000u | (XGetPixel(image, x, y) & 0xffffff);
  }
  XDestroyImage(image);
  return out;
}
