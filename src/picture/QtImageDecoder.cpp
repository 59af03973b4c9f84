#include "picture/QtImageDecoder.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>

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

struct QtFormat {
  const char* reader;
  const char* title;
};

QtFormat QtFormatOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png:
      return {"png", "PNG"};
    case PictureFormat::Webp:
      return {"webp", "WebP"};
    default:
      throw std::invalid_argument("Qt's readers decode only PNG and WebP here");
  }
}

// The canvas of an extended WebP file (chunk "VP8X"), whose 24-bit sides can state far more
// than the limit; Qt's reader allocates an animation's canvas while it reads the header, so
// the size is checked here first. The simple formats' 14-bit sides stay within the limit.
void CheckWebpCanvas(QFile& file) {
  const QByteArray head = file.peek(30);
  if (head.size() < 30 || !head.startsWith("RIFF") || head.mid(8, 8) != "WEBPVP8X") return;
  const auto side = [&head](int at) {
    const auto byte = [&head](int i) { return static_cast<std::int64_t>(static_cast<std::uint8_t>(head[i])); };
    return 1 + (byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16);
  };
  CheckPictureSize(side(24), side(27));
}

// Premultiplied colours over black are the colours themselves: only alpha becomes opaque.
QImage OverBlack(const QImage& decoded) {
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

QSize FitLongerSide(QSize size, int minSide) {
  if (std::max(size.width(), size.height()) <= minSide) return size;
  return size.scaled(minSide, minSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage Decode(const std::string& path, PictureFormat format, std::optional<int> minSide) {
  const QtFormat qtFormat = QtFormatOf(format);
  QFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::ReadOnly)) throw TFileOpenError("Cannot open file \"" + path + "\"");
  if (format == PictureFormat::Webp) CheckWebpCanvas(file);
  QImageReader reader(&file, qtFormat.reader);
  reader.setAutoDetectImageFormat(false);
  const auto fail = [&]() {
    throw TDecodeError(std::string(qtFormat.title) + " error in \"" + path +
                       "\": " + reader.errorString().toStdString());
  };
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) fail();
  CheckPictureSize(size.width(), size.height());
  if (minSide) reader.setScaledSize(FitLongerSide(size, *minSide));
  QImage decoded;
  if (!reader.read(&decoded)) fail();
  return OverBlack(decoded);
}

}  // namespace

QImage DecodeQtImage(const std::string& path, PictureFormat format) { return Decode(path, format, std::nullopt); }

QImage DecodeQtImageThumbnail(const std::string& path, PictureFormat format, int minSide) {
  return Decode(path, format, minSide);
}
