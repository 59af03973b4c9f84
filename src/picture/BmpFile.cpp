#include "picture/BmpFile.h"

#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "picture/BmpRowWriter.h"
#include "picture/PictureErrors.h"
#include "picture/PictureFile.h"

namespace {

constexpr int FileHeaderSize = 14;
constexpr int LargestInfoHeader = 124;
constexpr int AllocationLimitMb = static_cast<int>(MaxPicturePixels * 4 / (1024 * 1024)) + 64;

enum Compression : std::uint32_t { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3 };

struct BmpHeader {
  std::int64_t pixelOffset = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bitCount = 0;
  std::uint32_t compression = BiRgb;
};

std::uint32_t U16(const QByteArray& bytes, int at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t U32(const QByteArray& bytes, int at) { return U16(bytes, at) | U16(bytes, at + 2) << 16; }

std::int64_t I32(const QByteArray& bytes, int at) { return static_cast<std::int32_t>(U32(bytes, at)); }

bool KnownInfoSize(std::uint32_t size) {
  constexpr std::array<std::uint32_t, 7> sizes = {12, 40, 52, 56, 64, 108, 124};
  return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

// The file and info headers, or nullopt when they do not describe a bitmap.
std::optional<BmpHeader> ParseHeader(const QByteArray& head) {
  if (head.size() < FileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  const std::uint32_t infoSize = U32(head, 14);
  if (!KnownInfoSize(infoSize) || head.size() < FileHeaderSize + static_cast<int>(infoSize)) return std::nullopt;
  BmpHeader header;
  header.pixelOffset = U32(head, 10);
  if (infoSize == 12) {
    header.width = U16(head, 18);
    header.height = U16(head, 20);
    header.bitCount = static_cast<int>(U16(head, 24));
  } else {
    header.width = I32(head, 18);
    header.height = I32(head, 22);
    header.bitCount = static_cast<int>(U16(head, 28));
    header.compression = infoSize >= 40 ? U32(head, 30) : BiRgb;
  }
  if (header.height < 0) header.height = -header.height;
  if (header.pixelOffset < FileHeaderSize + infoSize) return std::nullopt;
  return header;
}

bool ValidLayout(const BmpHeader& header) {
  if (header.width <= 0 || header.height <= 0) return false;
  switch (header.compression) {
    case BiRgb:
      return header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8 || header.bitCount == 16 ||
             header.bitCount == 24 || header.bitCount == 32;
    case BiRle8:
      return header.bitCount == 8;
    case BiRle4:
      return header.bitCount == 4;
    case BiBitfields:
      return header.bitCount == 16 || header.bitCount == 32;
    default:
      return false;
  }
}

// Uncompressed rows must lie inside the file; the last row may lack its padding, as some
// writers leave it out. Run-length data has no length to check before decoding.
bool PixelsInsideFile(const BmpHeader& header, std::int64_t fileSize) {
  if (header.pixelOffset >= fileSize) return false;
  if (header.compression == BiRle8 || header.compression == BiRle4) return true;
  const std::int64_t rowBits = header.width * header.bitCount;
  const std::int64_t rowBytes = (rowBits + 31) / 32 * 4;
  return header.pixelOffset + rowBytes * (header.height - 1) + (rowBits + 7) / 8 <= fileSize;
}

void AllowPicturesUpToTheLimit() {
  if (QImageReader::allocationLimit() < AllocationLimitMb) QImageReader::setAllocationLimit(AllocationLimitMb);
}

QImage DecodePixels(QFile& file, const BmpHeader& header) {
  AllowPicturesUpToTheLimit();
  file.seek(0);
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);
  QImage picture;
  if (!reader.read(&picture)) throw TInvalidBitmap();
  if (picture.format() == QImage::Format_RGB32) return picture;
  QImage converted = picture.convertToFormat(QImage::Format_RGB32);
  if (converted.isNull()) throw TPictureMemoryError(header.width, header.height);
  return converted;
}

// Header of a bitmap with no pixels, which Qt's writer refuses to produce.
QByteArray EmptyBitmap() {
  QByteArray bytes(54, '\0');
  const auto put32 = [&bytes](int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xff);
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, 54);
  put32(10, 54);
  put32(14, 40);
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

}  // namespace

QImage ReadBmp(const std::string& path) {
  const int fd = OpenPictureFile(path);
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    throw TFileOpenError("Cannot open file \"" + path + "\"");
  }
  const QByteArray head = file.read(FileHeaderSize + LargestInfoHeader);
  if (head.isEmpty() && file.error() != QFileDevice::NoError) throw TFileOpenError("Cannot read file \"" + path + "\"");
  const std::optional<BmpHeader> header = ParseHeader(head);
  if (!header || !ValidLayout(*header)) throw TInvalidBitmap();
  CheckPictureSize(header->width, header->height);
  if (!PixelsInsideFile(*header, file.size())) throw TInvalidBitmap();
  return DecodePixels(file, *header);
}

void WriteBmp(const QImage& picture, const std::string& path) {
  if (picture.isNull()) {
    QSaveFile out(QFile::decodeName(path.c_str()));
    if (!out.open(QIODevice::WriteOnly) || out.write(EmptyBitmap()) != 54 || !out.commit())
      throw TFileWriteError("Cannot write file \"" + path + "\"");
    return;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) throw TPictureMemoryError(picture.width(), picture.height());
  TBmpRowWriter writer(path, rgb.size(), {rgb.dotsPerMeterX(), rgb.dotsPerMeterY()});
  for (int y = 0; y < rgb.height(); ++y) writer.Put(y, reinterpret_cast<const QRgb*>(rgb.constScanLine(y)));
  writer.Commit();
}
