#include "platform/screen/X11ScreenMetrics.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <stdexcept>

#include "platform/desktop/x11/RandrMonitors.h"
#include "platform/desktop/x11/X11ErrorTrap.h"

TX11ScreenMetrics::TX11ScreenMetrics(const std::string& displayName) {
  TX11ErrorTrap trap;
  Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (!display)
    throw std::runtime_error("The display " + std::string(XDisplayName(displayName.c_str())) + " cannot be opened");
  const int screen = DefaultScreen(display);
  depth_ = static_cast<unsigned>(DefaultDepth(display, screen)) & 0xFFFFu;
  std::vector<TMonitor> monitors = RandrMonitorList(display, RootWindow(display, screen));
  // A server without RandR monitors has one screen, the root.
  if (monitors.empty())
    monitors.push_back({"", QRect(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)), true});
  // As Qt does, the first monitor is the primary one where the server names none.
  if (std::none_of(monitors.begin(), monitors.end(), [](const TMonitor& monitor) { return monitor.primary; }))
    monitors.front().primary = true;
  monitors_ = OrderMonitors(std::move(monitors));
  trap.Sync(display);
  XCloseDisplay(display);
}

QSize TX11ScreenMetrics::ScreenSize() const { return monitors_.front().rect.size(); }
