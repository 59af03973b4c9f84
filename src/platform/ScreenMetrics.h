// Screen size and colour depth of the primary monitor. The program asks through this
// interface so that compositions, the stretch to the screen and the preview can be tested
// with any screen size.
#pragma once

#include <QRect>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

struct TMonitor {
  // The output's name as the desktop knows it ("HDMI-1", "HEADLESS-1"); may be empty.
  std::string name;
  // In device pixels, on the desktop's whole area.
  QRect rect;
  bool primary = false;
  bool operator==(const TMonitor&) const = default;
};

// The primary monitor first, then the others by position: left to right, then top to bottom.
std::vector<TMonitor> OrderMonitors(std::vector<TMonitor> monitors);

class IScreenMetrics {
 public:
  virtual ~IScreenMetrics() = default;
  // In device pixels, the wallpaper's own units: what a wallpaper is stretched to, the
  // proportions of a ratio stretch, the desktop the preview shows.
  virtual QSize ScreenSize() const = 0;
  // In Qt's logical units, where windows are sized and placed; differs from ScreenSize on a
  // scaled display.
  virtual QSize LogicalScreenSize() const = 0;
  // Bits per pixel times colour planes, as a 16-bit unsigned value.
  virtual unsigned ScreenColorDepth() const = 0;
  // Every monitor, in OrderMonitors' order; at least the primary one.
  virtual std::vector<TMonitor> Monitors() const = 0;
};

// The primary QScreen; a 0 x 0 size when no screen exists.
class TQtScreenMetrics final : public IScreenMetrics {
 public:
  QSize ScreenSize() const override;
  QSize LogicalScreenSize() const override;
  unsigned ScreenColorDepth() const override;
  std::vector<TMonitor> Monitors() const override;
};

// A fixed size and depth, for tests and for headless use; an unscaled display.
class TFixedScreenMetrics final : public IScreenMetrics {
 public:
  TFixedScreenMetrics(QSize size, unsigned depth = 32) : size_(size), depth_(depth) {}
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
