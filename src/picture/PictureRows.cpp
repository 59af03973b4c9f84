#include "picture/PictureRows.h"

#include <algorithm>

#include "picture/PictureErrors.h"

void TPictureRows::Start(void* context, QSize size) noexcept {
  auto& rows = *static_cast<TPictureRows*>(context);
  rows.fileSize_ = size;
  try {
    const std::optional<QSize> reduced = rows.target_ ? ReducedSize(size, *rows.target_) : std::nullopt;
    if (reduced) {
      rows.average_.emplace(size, *reduced);
      return;
    }
    const bool centred = rows.target_ && rows.target_->use == DecodeUse::Centred;
    rows.kept_ = centred ? CenterPart(size, rows.target_->box) : QRect(QPoint(0, 0), size);
    rows.picture_ = NewPicture(rows.kept_.width(), rows.kept_.height());
  } catch (...) {
    rows.failed_ = true;
  }
}

void TPictureRows::Row(void* context, int y, const QRgb* pixels) noexcept {
  auto& rows = *static_cast<TPictureRows*>(context);
  if (rows.failed_) return;
  if (rows.average_) {
    rows.average_->Put(y, pixels);
    return;
  }
  if (y < rows.kept_.top() || y > rows.kept_.bottom()) return;
  std::copy_n(pixels + rows.kept_.left(), rows.kept_.width(),
              reinterpret_cast<QRgb*>(rows.picture_.scanLine(y - rows.kept_.top())));
}

TScaledPicture TPictureRows::Take() {
  if (failed_) throw TPictureMemoryError(fileSize_.width(), fileSize_.height());
  if (average_) return {std::move(average_->Picture()), fileSize_};
  return {std::move(picture_), fileSize_};
}
