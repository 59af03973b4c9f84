// WebP files for the WebP decoder's tests, written by libwebp from a test pattern: gradients
// and waves of a few pixels' period, so that upsampling and filtering show at every place.
#pragma once

#include <webp/encode.h>
#include <webp/mux.h>

#include <QByteArray>
#include <QImage>
#include <cmath>
#include <vector>

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

// An animation of frames (Format_ARGB32, the canvas's size each), a tenth of a second each,
// every frame coded as kind; empty bytes when libwebp refused.
inline QByteArray EncodeWebpAnimation(const std::vector<QImage>& frames, WebpKind kind) {
  const QSize size = frames.front().size();
  WebPAnimEncoderOptions options;
  WebPAnimEncoderOptionsInit(&options);
  WebPAnimEncoder* encoder = WebPAnimEncoderNew(size.width(), size.height(), &options);
  int timestamp = 0;
  bool added = encoder != nullptr;
  for (const QImage& frame : frames) {
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = kind == WebpKind::Lossless;
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.width = size.width();
    picture.height = size.height();
    picture.use_argb = 1;
    added = added && WebPPictureImportBGRA(&picture, frame.constBits(), static_cast<int>(frame.bytesPerLine())) &&
            WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
    WebPPictureFree(&picture);
    timestamp += 100;
  }
  WebPData data;
  WebPDataInit(&data);
  added = added && WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr) && WebPAnimEncoderAssemble(encoder, &data);
  const QByteArray bytes =
      added ? QByteArray(reinterpret_cast<const char*>(data.bytes), static_cast<qsizetype>(data.size)) : QByteArray();
  WebPDataClear(&data);
  WebPAnimEncoderDelete(encoder);
  return bytes;
}
