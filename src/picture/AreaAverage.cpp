#include "picture/AreaAverage.h"

#include <algorithm>
#include <cmath>

#include "picture/PictureErrors.h"

namespace {

// Four channels per pixel, the unused one included, so the sums run over the row's bytes.
constexpr int Channels = 4;
// Where a Format_RGB32 pixel keeps red, green and blue; the other byte is the alpha, always
// opaque.
constexpr int ColourBytes[] = {Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 0 : 1, Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 1 : 2,
                               Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 2 : 3};
// Below 1 / area for every area within the size limit, above the rounding error of a
// quotient of at most 256.
constexpr double Nudge = 1e-10;

}  // namespace

TAreaAverage::TAreaAverage(QSize from, QSize to)
    : from_(from),
      to_(to),
      picture_(NewPicture(to.width(), to.height())),
      columns_(static_cast<std::size_t>(to.width())) {
  // An input pixel spans to.width() units across and an output pixel from.width() units.
  const std::int64_t sw = from.width(), dw = to.width();
  for (std::int64_t ox = 0; ox < dw; ++ox) {
    const std::int64_t begin = ox * sw, end = begin + sw;
    Column& column = columns_[static_cast<std::size_t>(ox)];
    column.first = static_cast<int>(begin / dw);
    column.last = static_cast<int>((end - 1) / dw);
    column.firstWeight = static_cast<std::uint32_t>(std::min<std::int64_t>((column.first + 1) * dw, end) - begin);
    column.lastWeight = static_cast<std::uint32_t>(end - std::int64_t{column.last} * dw);
  }
  // A sum of one channel gathers at most 255 times from.height() units of rows.
  wide_ = 255 * std::int64_t{from.height()} > std::int64_t{UINT32_MAX};
  const auto size = static_cast<std::size_t>(from.width()) * Channels;
  try {
    if (wide_) {
      current64_.assign(size, 0);
      next64_.assign(size, 0);
    } else {
      current32_.assign(size, 0);
      next32_.assign(size, 0);
    }
  } catch (const std::bad_alloc&) {
    throw TPictureMemoryError(from.width(), 1);
  }
  inverseArea_ = 1.0 / (static_cast<double>(from.width()) * from.height());
}

template <typename Sum>
void TAreaAverage::Accumulate(std::vector<Sum>& sums, const QRgb* row, std::uint32_t weight) noexcept {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(row);
  Sum* out = sums.data();
  const std::size_t count = sums.size();
  for (std::size_t i = 0; i < count; ++i) out[i] += static_cast<Sum>(weight) * bytes[i];
}

template <typename Sum>
void TAreaAverage::Finish(std::vector<Sum>& sums, int oy) noexcept {
  // The whole weight of an output pixel: from.width() units across by from.height() down.
  const std::uint64_t half = static_cast<std::uint64_t>(from_.width()) * static_cast<std::uint64_t>(from_.height()) / 2;
  const std::uint64_t dw = static_cast<std::uint64_t>(to_.width());
  auto* out = reinterpret_cast<std::uint8_t*>(picture_.scanLine(oy));
  for (const Column& column : columns_) {
    std::uint64_t total[Channels] = {};
    const Sum* first = sums.data() + static_cast<std::size_t>(column.first) * Channels;
    if (column.first == column.last) {
      for (int c = 0; c < Channels; ++c) total[c] = std::uint64_t{column.firstWeight} * first[c];
    } else {
      std::uint64_t middle[Channels] = {};
      for (const Sum* at = first + Channels; at < sums.data() + static_cast<std::size_t>(column.last) * Channels;
           at += Channels)
        for (int c = 0; c < Channels; ++c) middle[c] += at[c];
      const Sum* last = sums.data() + static_cast<std::size_t>(column.last) * Channels;
      for (int c = 0; c < Channels; ++c)
        total[c] =
            std::uint64_t{column.firstWeight} * first[c] + dw * middle[c] + std::uint64_t{column.lastWeight} * last[c];
    }
    for (const int c : ColourBytes) {
      // The rounded quotient (total + half) / area through the reciprocal: a quotient that is
      // not whole is at least 1 / area below the next whole number, far more than the
      // product's rounding error, so a nudge of less than that makes a whole one come out
      // whole and leaves the others as they are.
      const auto dividend = static_cast<std::int64_t>(total[c] + half);
      const auto q = static_cast<int>(static_cast<double>(dividend) * inverseArea_ + Nudge);
      out[c] = static_cast<std::uint8_t>(std::min(q, 255));
    }
    reinterpret_cast<QRgb*>(out)[0] |= 0xff000000u;
    out += Channels;
  }
  std::fill(sums.begin(), sums.end(), Sum{0});
}

template <typename Sum>
void TAreaAverage::PutWith(std::vector<Sum>& current, std::vector<Sum>& next, const QRgb* row) noexcept {
  // An input row spans to.height() units down and an output row from.height() units.
  const std::int64_t sh = from_.height(), dh = to_.height();
  const std::int64_t begin = std::int64_t{rowsPut_} * dh, end = begin + dh;
  const auto oy = static_cast<int>(begin / sh);
  const std::int64_t border = (oy + 1) * sh;
  if (end < border) {
    Accumulate(current, row, static_cast<std::uint32_t>(dh));
  } else {
    Accumulate(current, row, static_cast<std::uint32_t>(border - begin));
    if (end > border) Accumulate(next, row, static_cast<std::uint32_t>(end - border));
    Finish(current, oy);
    current.swap(next);
  }
  ++rowsPut_;
}

void TAreaAverage::Put(int y, const QRgb* row) noexcept {
  if (y != rowsPut_ || y >= from_.height()) return;
  if (wide_)
    PutWith(current64_, next64_, row);
  else
    PutWith(current32_, next32_, row);
}
