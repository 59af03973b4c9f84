// The screen as the X server tells it, read once when made: the root's size and depth and
// the RandR monitors. For a run that shows no window on an X display, which then need not
// start Qt's whole platform integration only to learn the screen's size.
#pragma once

#include <string>
#include <vector>

#include "platform/screen/ScreenMetrics.h"

class TX11ScreenMetrics final : public IScreenMetrics {
 public:
  // Throws std::runtime_error when the display cannot be opened.
  explicit TX11ScreenMetrics(const std::string& displayName = {});

  QSize ScreenSize() const override;
  // Such a run places no window: Qt's logical units are the device pixels here.
  QSize LogicalScreenSize() const override { return ScreenSize(); }
  unsigned ScreenColorDepth() const override { return depth_; }
  std::vector<TMonitor> Monitors() const override { return monitors_; }

 private:
  std::vector<TMonitor> monitors_;
  unsigned depth_ = 0;
};
