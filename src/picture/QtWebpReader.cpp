#include "picture/QtWebpReader.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdint>

#include "picture/PictureErrors.h"

namespace {

// Qt refuses pictures beyond its own allocation limit (128 MB in Qt 6.4), well below
// ours. The limit is process-wide, so it is raised once, before main starts any
// thread, to what a picture at MaxPicturePixels needs at 64 bits per pixel, the widest
// format Qt's readers produce.
[[maybe_unused]] const bool kAllocationLimitRaised = [] {
  constexpr std::int64_t megabytes = MaxPicturePixels * 8 / (1024 * 1024);
  if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < megabytes)
    QImageReader::setAllocationLimit(static_cast<int>(megabytes));
  return true;
}();

// The canvas of an extended WebP file (chunk "VP8X"), whose 24-bit sides can state far more
// than the limit; Qt's reader allocates an animation's canvas while it reads the header, so
// the size is checked here first.
void CheckWebpCanvas(const QByteArray& head) {
  if (head.size() < 30 || !head.startsWith("RIFF") || head.mid(8, 8) != "WEBPVP8X") return;
  const auto side = [&head](int at) {
    const auto byte = [&head](int i) { return static_cast<std::int64_t>(static_cast<std::uint8_t>(head[i])); };
    return 1 + (byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16);
  };
  CheckPictureSize(side(24), side(27));
}

// Premultiplied colours over black are the colours themselves: only alpha becomes opaque.
QImage OverBlackPicture(const QImage& decoded) {
  QImage picture =
      decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (picture.isNull()) throw TPictureMemoryError(decoded.width(), decoded.height());
  if (picture.format() == QImage::Format_RGB32) return picture;
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) line[x] |= 0xff000000u;
  }
  picture.reinterpretAsFormat(QImage::Format_RGB32);
  return picture;
}

}  // namespace

QImage DecodeQtWebp(const QByteArray& bytes, const std::string& name) {
  CheckWebpCanvas(bytes);
  QByteArray data = bytes;
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "webp");
  reader.setAutoDetectImageFormat(false);
  const auto fail = [&]() {
    throw TDecodeError("WebP error in \"" + name + "\": " + reader.errorString().toStdString());
  };
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) fail();
  CheckPictureSize(size.width(), size.height());
  QImage decoded;
  if (!reader.read(&decoded)) fail();
  return OverBlackPicture(decoded);
}
