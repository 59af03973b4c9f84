// Where a decoder that works row by row hands a picture: its size first, then each row of
// Format_RGB32 pixels, the top one first, so that a large picture is never held whole.
#pragma once

#include <QRgb>
#include <QSize>

// Plain functions, since they run inside a decoder's error frame: they must not throw.
struct TRowSink {
  void* context;
  void (*start)(void* context, QSize size) noexcept;
  void (*row)(void* context, int y, const QRgb* pixels) noexcept;
};
