#include "platform/screen/ScreenMetrics.h"

#include <qpa/qplatformscreen.h>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

// QScreen reports logical units, rounded: at a scale of 1.5 a 2560 pixel wide monitor is 1707
// units wide, and 1707 x 1.5 is not 2560. The platform screen keeps the exact device size.
QSize TQtScreenMetrics::ScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->handle() ? screen->handle()->geometry().size() : QSize(0, 0);
}

QSize TQtScreenMetrics::LogicalScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(0, 0);
}

std::vector<TMonitor> OrderMonitors(std::vector<TMonitor> monitors) {
  std::stable_sort(monitors.begin(), monitors.end(), [](const TMonitor& a, const TMonitor& b) {
    if (a.primary != b.primary) return a.primary;
    if (a.rect.x() != b.rect.x()) return a.rect.x() < b.rect.x();
    return a.rect.y() < b.rect.y();
  });
  return monitors;
}

std::vector<TMonitor> TQtScreenMetrics::Monitors() const {
  std::vector<TMonitor> monitors;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect rect = screen->handle() ? screen->handle()->geometry() : screen->geometry();
    monitors.push_back({screen->name().toStdString(), rect, screen == primary});
  }
  if (monitors.empty()) monitors.push_back({"", QRect(QPoint(0, 0), ScreenSize()), true});
  return OrderMonitors(std::move(monitors));
}

unsigned TQtScreenMetrics::ScreenColorDepth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<unsigned>(screen->depth()) & 0xFFFFu : 0u;
}
