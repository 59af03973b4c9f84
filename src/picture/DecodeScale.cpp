#include "picture/DecodeScale.h"

#include <cstdint>
#include <utility>

namespace {

int CeilDiv(std::int64_t a, std::int64_t b) { return static_cast<int>((a + b - 1) / b); }

// The first index and the length of one axis of CenterPart.
std::pair<int, int> CenterSpan(int picture, int box) {
  if (picture <= box) return {0, picture};
  const int length = box + (picture - box) % 2;
  return {(picture - length) / 2, length};
}

}  // namespace

QSize StretchedSize(QSize picture, const TDecodeTarget& target) {
  if (!target.keepRatio || picture.isEmpty()) return target.box;
  const std::int64_t w = picture.width(), h = picture.height();
  const std::int64_t bw = target.box.width(), bh = target.box.height();
  // The picture relatively wider than the box fills its width, otherwise its height.
  if (w * bh >= h * bw) return {target.box.width(), CeilDiv(h * bw, w)};
  return {CeilDiv(w * bh, h), target.box.height()};
}

QSize EighthsSize(QSize picture, int eighths) {
  return {CeilDiv(std::int64_t{picture.width()} * eighths, 8), CeilDiv(std::int64_t{picture.height()} * eighths, 8)};
}

int DecodeEighths(QSize picture, const TDecodeTarget& target) {
  if (target.use == DecodeUse::Centred) return 8;
  const QSize need = StretchedSize(picture, target);
  for (int eighths = 1; eighths < 8; ++eighths) {
    const QSize size = EighthsSize(picture, eighths);
    if (size.width() >= need.width() && size.height() >= need.height()) return eighths;
  }
  return 8;
}

std::optional<QSize> ReducedSize(QSize picture, const TDecodeTarget& target) {
  if (target.use == DecodeUse::Centred || picture.isEmpty()) return std::nullopt;
  const QSize shown = StretchedSize(picture, target);
  if (shown.isEmpty() || shown.width() > picture.width() || shown.height() > picture.height() || shown == picture)
    return std::nullopt;
  return shown;
}

QRect CenterPart(QSize picture, QSize box) {
  if (box.isEmpty() || picture.isEmpty()) return {QPoint(0, 0), picture};
  const auto [left, width] = CenterSpan(picture.width(), box.width());
  const auto [top, height] = CenterSpan(picture.height(), box.height());
  return {left, top, width, height};
}
