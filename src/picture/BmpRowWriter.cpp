#include "picture/BmpRowWriter.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstdint>

#include "picture/PictureErrors.h"

namespace {

constexpr int HeadersSize = 14 + 40;
// Qt's writer stores this when a picture has no resolution.
constexpr int DefaultDotsPerMeter = 2834;
// About what one write of a band of rows holds.
constexpr qint64 BandBytes = 1 << 20;

void Put16(char* at, std::uint16_t value) {
  at[0] = static_cast<char>(value & 0xff);
  at[1] = static_cast<char>(value >> 8);
}

void Put32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

TBmpRowWriter::TBmpRowWriter(const std::string& path, QSize size, QSize dotsPerMeter)
    : out_(QFile::decodeName(path.c_str())),
      path_(path),
      size_(size),
      rowBytes_((static_cast<qint64>(size.width()) * 24 + 31) / 32 * 4),
      bandRows_(static_cast<int>(
          std::clamp<qint64>(BandBytes / std::max<qint64>(rowBytes_, 1), 1, std::max(size.height(), 1)))),
      band_(static_cast<std::size_t>(rowBytes_ * bandRows_), 0) {
  if (size.isEmpty() || !out_.open(QIODevice::WriteOnly)) {
    failed_ = true;
    return;
  }
  const int dpmX = dotsPerMeter.width() > 0 ? dotsPerMeter.width() : DefaultDotsPerMeter;
  const int dpmY = dotsPerMeter.height() > 0 ? dotsPerMeter.height() : DefaultDotsPerMeter;
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
  if (failed_) return;
  if (y != rowsPut_) {
    failed_ = true;
    return;
  }
  char* to = band_.data() + rowBytes_ * (bandRows_ - 1 - bandCount_);
  for (int x = 0; x < size_.width(); ++x, to += 3) {
    to[0] = static_cast<char>(qBlue(row[x]));
    to[1] = static_cast<char>(qGreen(row[x]));
    to[2] = static_cast<char>(qRed(row[x]));
  }
  ++rowsPut_;
  if (++bandCount_ == bandRows_ || rowsPut_ == size_.height()) WriteBand();
}

void TBmpRowWriter::WriteBand() noexcept {
  // The band's lowest row, the last put, comes first in the file.
  const qint64 at = HeadersSize + rowBytes_ * (size_.height() - rowsPut_);
  const qint64 bytes = rowBytes_ * bandCount_;
  const char* from = band_.data() + rowBytes_ * (bandRows_ - bandCount_);
  failed_ = !out_.seek(at) || out_.write(from, bytes) != bytes;
  bandCount_ = 0;
}

void TBmpRowWriter::Commit() {
  if (failed_ || rowsPut_ != size_.height() || !out_.commit())
    throw TFileWriteError("Cannot write file \"" + path_ + "\"");
}
