#include "widgets/TGIFImageView.h"

#include <QPainter>

namespace {
// Browsers show frames whose delay is 0 or tiny at this pace.
constexpr int kMinimumDelayMs = 20;
constexpr int kDefaultDelayMs = 100;
}  // namespace

TGIFImageView::TGIFImageView(QWidget* parent) : QWidget(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TGIFImageView::NextFrame);
}

bool TGIFImageView::LoadFromFile(const std::string& path) {
  timer_.stop();
  frame_ = 0;
  const bool loaded = gif_.LoadFromFile(path);
  Schedule();
  update();
  return loaded;
}

QImage TGIFImageView::CurrentBitmap() const { return FrameCount() > 0 ? gif_.Frame(frame_) : gif_.Bitmap(); }

void TGIFImageView::SetTile(bool tile) {
  tile_ = tile;
  update();
}

void TGIFImageView::SetStretch(bool stretch) {
  stretch_ = stretch;
  update();
}

void TGIFImageView::SetStretchRatio(bool ratio) {
  ratio_ = ratio;
  update();
}

void TGIFImageView::SetAnimate(bool animate) {
  animate_ = animate;
  Schedule();
}

void TGIFImageView::Schedule() {
  if (!animate_ || FrameCount() < 2) {
    timer_.stop();
    return;
  }
  if (timer_.isActive()) return;
  const int delay = gif_.Delay(frame_);
  timer_.start(delay <= 0 ? kDefaultDelayMs : std::max(delay, kMinimumDelayMs));
}

void TGIFImageView::NextFrame() {
  frame_ = (frame_ + 1) % FrameCount();
  update();
  Schedule();
}

void TGIFImageView::paintEvent(QPaintEvent*) {
  const QImage picture = CurrentBitmap();
  if (picture.isNull()) return;
  QPainter painter(this);
  if (tile_) {
    painter.drawTiledPixmap(rect(), QPixmap::fromImage(picture));
  } else if (stretch_) {
    painter.drawImage(rect(), picture);
  } else if (ratio_) {
    const QSize fitted = picture.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), fitted);
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
  } else {
    painter.drawImage(QPoint(0, 0), picture);
  }
}
