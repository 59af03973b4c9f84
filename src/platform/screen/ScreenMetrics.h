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
