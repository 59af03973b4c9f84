#include "picture/BmpRowWriter.h"

#include <QFile>
#include <QImage>
#include <array>
#include <cstdint>

#include "picture/PictureErrors.h"

namespace {

constexpr int HeadersSize = 14 + 40;
// Qt's writer stores this when a picture has no resolution.
constexpr int DefaultDotsPerMeter = 2834;

void Put16(char* at, std::uint16_t value) {
  at[0] = static_cast<char>(value & 0xff);
  at[1] = static_cast<char>(value >> 8);
}

void Put32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

TBmpRowWriter::TBmpRowWriter(const std::string& path, QSize size)
    : out_(QFile::decodeName(path.c_str())),
      path_(path),
      size_(size),
      rowBytes_((static_cast<qint64>(size.width()) * 24 + 31) / 32 * 4),
      row_(static_cast<std::size_t>(rowBytes_), 0) {
  if (size.isEmpty() || !out_.open(QIODevice::WriteOnly)) {
    failed_ = true;
    return;
  }
  // The resolution of a new picture, as the one WriteBmp would be given carries.
  const QImage probe(1, 1, QImage::Format_RGB32);
  const int dpmX = probe.dotsPerMeterX() ? probe.dotsPerMeterX() : DefaultDotsPerMeter;
  const int dpmY = probe.dotsPerMeterY() ? probe.dotsPerMeterY() : DefaultDotsPerMeter;
  const qint64 pixels = rowBytes_ * size.height();
  std::array<char, HeadersSize> headers{};
  headers[0] = 'B';
  headers[1] = 'M';
  Put32(&headers[2], static_cast<std::uint32_t>(HeadersSize + pixels));
  Put32(&headers[10], HeadersSize);
  Put32(&headers[14], 40);
  Put32(&headers[18], static_cast<std::uint32_t>(size.width()));
  Put32(&headers[22], static_cast<std::uint32_t>(size.height()));
  Put16(&headers[26], 1);
  Put16(&headers[28], 24);
  Put32(&headers[34], static_cast<std::uint32_t>(pixels));
  Put32(&headers[38], static_cast<std::uint32_t>(dpmX));
  Put32(&headers[42], static_cast<std::uint32_t>(dpmY));
  failed_ = out_.write(headers.data(), HeadersSize) != HeadersSize;
}

void TBmpRowWriter::Put(int y, const QRgb* row) noexcept {
  if (failed_ || y < 0 || y >= size_.height()) return;
  char* to = row_.data();
  for (int x = 0; x < size_.width(); ++x, to += 3) {
    to[0] = static_cast<char>(qBlue(row[x]));
    to[1] = static_cast<char>(qGreen(row[x]));
    to[2] = static_cast<char>(qRed(row[x]));
  }
  const qint64 at = HeadersSize + rowBytes_ * (size_.height() - 1 - y);
  failed_ = !out_.seek(at) || out_.write(row_.data(), rowBytes_) != rowBytes_;
  ++rowsPut_;
}

void TBmpRowWriter::Commit() {
  if (failed_ || rowsPut_ != size_.height() || !out_.commit())
    throw TFileWriteError("Cannot write file \"" + path_ + "\"");
}
