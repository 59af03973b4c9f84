// The program's GIF image component: loads a file into its frames and delays and hands
// out the first frame as a bitmap. Display of the animation is left to a control that
// wraps it.
#pragma once

#include <QImage>
#include <exception>
#include <string>

#include "picture/GifImage.h"

class TGIFImage {
 public:
  // True when the file was decoded. False when it does not exist, cannot be decoded or is
  // beyond the size limit; the image is then empty and LastError holds the reason.
  bool LoadFromFile(const std::string& path);

  // The first frame as a Format_RGB32 bitmap, its transparent pixels in the colour the
  // palette gives the transparent index; empty before a successful load.
  const QImage& Bitmap() const { return animation_.firstBitmap; }
  int FrameCount() const { return static_cast<int>(animation_.frames.size()); }
  // Frame i (0 <= i < FrameCount) composed as a viewer shows it, Format_ARGB32.
  const QImage& Frame(int i) const { return animation_.frames.at(static_cast<std::size_t>(i)).image; }
  // How long frame i stays, in milliseconds, as the file gives it.
  int Delay(int i) const { return animation_.frames.at(static_cast<std::size_t>(i)).delayMs; }
  int Width() const { return animation_.firstBitmap.width(); }
  int Height() const { return animation_.firstBitmap.height(); }

  // The error of the last failed load, or null.
  std::exception_ptr LastError() const { return lastError_; }

 private:
  GifAnimation animation_;
  std::exception_ptr lastError_;
};
