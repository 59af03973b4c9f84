// A screen of a size the test chooses, for the form and the agent without a real display.
#pragma once

#include <utility>
#include <vector>

#include "platform/screen/ScreenMetrics.h"

// A fixed size and depth on an unscaled display, set by the test (1024 x 768 unless told).
class TFixedScreenMetrics final : public IScreenMetrics {
 public:
  explicit TFixedScreenMetrics(QSize size = QSize(1024, 768), unsigned depth = 32) : size_(size), depth_(depth) {}
  QSize ScreenSize() const override { return size_; }
  QSize LogicalScreenSize() const override { return size_; }
  unsigned ScreenColorDepth() const override { return depth_; }
  // One monitor of the screen's size unless others were set.
  std::vector<TMonitor> Monitors() const override {
    return monitors_.empty() ? std::vector<TMonitor>{{"", QRect(QPoint(0, 0), size_), true}} : monitors_;
  }
  void SetScreenSize(QSize size) { size_ = size; }
  // The primary one's size becomes the screen size.
  void SetMonitors(std::vector<TMonitor> monitors) {
    monitors_ = OrderMonitors(std::move(monitors));
    if (!monitors_.empty()) size_ = monitors_.front().rect.size();
  }

 private:
  QSize size_;
  unsigned depth_;
  std::vector<TMonitor> monitors_;
};
