#include "platform/desktop/x11/DesktopWindow.h"

std::optional<TCoveredMonitor> FirstCoveredMonitor(const std::vector<TDesktopWindow>& windows, QSize root,
                                                   const std::vector<QRect>& monitors) {
  const QRect whole(QPoint(0, 0), root);
  std::vector<QRect> areas;
  for (const QRect& monitor : monitors)
    if (const QRect area = monitor & whole; !area.isEmpty()) areas.push_back(area);
  if (areas.empty()) areas.push_back(whole);
  for (const QRect& area : areas)
    for (const TDesktopWindow& window : windows)
      if (!window.seeThrough && window.rect.contains(area)) return TCoveredMonitor{window, area};
  return std::nullopt;
}

std::string CoveredMonitorText(const TCoveredMonitor& covered) {
  const QRect& m = covered.monitor;
  return covered.window.program + " draws its own desktop over the " + std::to_string(m.width()) + " x " +
         std::to_string(m.height()) + " monitor at " + std::to_string(m.x()) + ", " + std::to_string(m.y());
}
