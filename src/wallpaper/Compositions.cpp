#include "wallpaper/Compositions.h"

#include <QPainter>
#include <QRect>
#include <cmath>
#include <string>
#include <utility>

#include "platform/system/ImageMemory.h"

namespace {

QImage AsRgb32(const QImage& source) {
  return source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
}

QImage NewCanvas(std::int64_t width, std::int64_t height) {
  CheckComposedSize(width, height);
  QImage canvas = AllocateImage(QSize(static_cast<int>(width), static_cast<int>(height)), QImage::Format_RGB32);
  if (canvas.isNull()) {
    throw TCompositionError("Not enough memory to compose a wallpaper of " + std::to_string(width) + " x " +
                            std::to_string(height) + " pixels.");
  }
  return canvas;
}

// A painter that copies pixels: no blending and no smoothing of scaled copies.
class TCopyPainter {
 public:
  explicit TCopyPainter(QImage& target) : painter_(&target) {
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  }

  // QPainter reads a source rectangle without width or height as "to the image's edge",
  // so an empty rectangle is skipped here rather than passed on.
  void Copy(QPoint to, const QImage& source, QRect from) {
    if (from.width() > 0 && from.height() > 0) painter_.drawImage(to, source, from);
  }

  void Stretch(QRect to, const QImage& source) { painter_.drawImage(to, source); }

 private:
  QPainter painter_;
};

}  // namespace

void CheckComposedSize(std::int64_t width, std::int64_t height) {
  if (width < 0 || height < 0 || width > MaxComposedSide || height > MaxComposedSide ||
      width * height * 4 > MaxComposedBytes) {
    throw TCompositionError("The wallpaper of " + std::to_string(width) + " x " + std::to_string(height) +
                            " pixels is too large to compose.");
  }
}

QImage BuildMirrorTile(const QImage& picture) {
  if (picture.isNull()) return QImage();
  const QImage source = AsRgb32(picture);
  const int w = source.width();
  const int h = source.height();
  const bool wider = w > 2;
  const bool taller = h > 2;
  QImage out = NewCanvas(wider ? 2 * std::int64_t{w} - 2 : w, taller ? 2 * std::int64_t{h} - 2 : h);
  TCopyPainter painter(out);
  painter.Copy({0, 0}, source, source.rect());
  // A mirror image's column k is source column w - 1 - k, so its columns 1 .. w - 2 are
  // the source's inner columns reversed; the same holds for rows.
  if (wider) painter.Copy({w, 0}, source.mirrored(true, false), QRect(1, 0, w - 2, h));
  if (taller) {
    QImage flipped = source.copy(0, 1, w, h - 2).mirrored(false, true);
    painter.Copy({0, h}, flipped, flipped.rect());
    if (wider) painter.Copy({w, h}, std::move(flipped).mirrored(true, false), QRect(1, 0, w - 2, h - 2));
  }
  return out;
}

QImage BuildBrickTile(const QImage& picture) {
  if (picture.isNull()) return QImage();
  const QImage source = AsRgb32(picture);
  const int w = source.width();
  const int h = source.height();
  const int half = w / 2;
  const int rest = w - half;
  QImage out = NewCanvas(w, 2 * std::int64_t{h});
  TCopyPainter painter(out);
  painter.Copy({0, 0}, source, source.rect());
  painter.Copy({rest, h}, source, QRect(0, 0, half, h));
  painter.Copy({0, h}, source, QRect(half, 0, rest, h));
  return out;
}

QImage BuildDoubleTile(const QImage& picture) {
  if (picture.isNull()) return QImage();
  const QImage source = AsRgb32(picture);
  QImage out = NewCanvas(2 * std::int64_t{source.width()}, 2 * std::int64_t{source.height()});
  TCopyPainter painter(out);
  painter.Stretch(out.rect(), source);
  return out;
}

RatioLayout RatioStretchLayout(QSize image, QSize screen) {
  const long double w = image.width();
  const long double h = image.height();
  const long double screenW = screen.width();
  const long double screenH = screen.height();
  if (screenW <= 0 || screenH <= 0) return {image, {0, 0}};
  // Quotient first, then the product, in extended precision; the result is rounded to
  // nearest with halves to even (the default rounding mode).
  const long double rx = w / screenW;
  const long double ry = h / screenH;
  const bool wider = rx > ry;
  const long double scaled = wider ? std::nearbyint(screenH * rx) : std::nearbyint(screenW * ry);
  // Both factors are below 2^31, so the product fits in 64 bits.
  const auto length = static_cast<std::int64_t>(scaled);
  CheckComposedSize(wider ? image.width() : length, wider ? length : image.height());
  // Halving truncates, so the smaller half of the fill goes before the image.
  const int n = static_cast<int>(length);
  if (wider) return {{image.width(), n}, {0, (n - image.height()) / 2}};
  return {{n, image.height()}, {(n - image.width()) / 2, 0}};
}

QImage BuildRatioStretch(const QImage& picture, QSize screen, QRgb fill) {
  if (picture.isNull()) return QImage();
  const QImage source = AsRgb32(picture);
  const RatioLayout layout = RatioStretchLayout(source.size(), screen);
  QImage out = NewCanvas(layout.size.width(), layout.size.height());
  out.fill(fill);
  TCopyPainter painter(out);
  painter.Copy(layout.offset, source, source.rect());
  return out;
}

QImage ComposeSpecial(const QImage& source, DispObj code, QRgb fill, QSize screen) {
  switch (code) {
    case DispObj::MirrorTile:
      return BuildMirrorTile(source);
    case DispObj::BrickTile:
      return BuildBrickTile(source);
    case DispObj::RatioStretch:
      return BuildRatioStretch(source, screen, fill);
    case DispObj::DoubleTile:
      return BuildDoubleTile(source);
    default:
      return QImage();
  }
}
