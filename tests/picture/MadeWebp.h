// WebP files for the WebP decoder's tests, written by libwebp from a test pattern: gradients
// and waves of a few pixels' period, so that upsampling and filtering show at every place.
#pragma once

#include <webp/encode.h>

#include <QByteArray>
#include <QImage>
#include <cmath>

// The pattern at size: with alpha, its alpha sweeps from transparent to opaque across it and
// a band is wholly transparent.
inline QImage WebpTestPattern(QSize size, bool alpha) {
  QImage picture(size, QImage::Format_ARGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      const int r = (x * 255) / std::max(1, size.width() - 1);
      const int g = static_cast<int>(127.5 + 127.5 * std::sin(x * 0.31) * std::cos(y * 0.17));
      const int b = static_cast<int>(127.5 + 127.5 * std::cos(x * 0.05 + y * 0.09));
      int a = 255;
      if (alpha) a = (y % 19 < 3) ? 0 : (y * 255) / std::max(1, size.height() - 1);
      picture.setPixel(x, y, qRgba(r, g, b, a));
    }
  return picture;
}

enum class WebpKind { Lossy, Lossless };

// The WebP file of picture (Format_ARGB32), or empty bytes when libwebp refused.
inline QByteArray EncodeWebp(const QImage& picture, WebpKind kind, int quality = 90) {
  std::uint8_t* output = nullptr;
  const std::size_t size =
      kind == WebpKind::Lossy
          ? WebPEncodeBGRA(picture.constBits(), picture.width(), picture.height(),
                           static_cast<int>(picture.bytesPerLine()), static_cast<float>(quality), &output)
          : WebPEncodeLosslessBGRA(picture.constBits(), picture.width(), picture.height(),
                                   static_cast<int>(picture.bytesPerLine()), &output);
  QByteArray bytes(reinterpret_cast<const char*>(output), static_cast<qsizetype>(size));
  WebPFree(output);
  return bytes;
}
