// The picture a decoder that hands out rows one at a time fills for a target: the whole
// picture without one; only the middle a centred target shows (CenterPart), the other rows
// and columns let go as they come; a stretched picture averaged by area to ReducedSize as
// the rows come, or whole where the stretch does not reduce it.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>

#include "picture/AreaAverage.h"
#include "picture/DecodeScale.h"
#include "picture/RowSink.h"

class TPictureRows {
 public:
  explicit TPictureRows(const std::optional<TDecodeTarget>& target) : target_(target) {}
  TPictureRows(const TPictureRows&) = delete;
  TPictureRows& operator=(const TPictureRows&) = delete;

  // The sink to hand the decoder; it refers to this object.
  TRowSink Sink() { return {this, Start, Row}; }
  // The picture once the decoder has handed over every row, with the size the file states.
  // Throws TPictureMemoryError when its memory could not be had.
  TScaledPicture Take();

 private:
  static void Start(void* context, QSize size) noexcept;
  static void Row(void* context, int y, const QRgb* pixels) noexcept;

  std::optional<TDecodeTarget> target_;
  QSize fileSize_;
  // The rectangle of the file's picture that picture_ holds, when not reduced.
  QRect kept_;
  QImage picture_;
  std::optional<TAreaAverage> average_;
  bool failed_ = false;
};
