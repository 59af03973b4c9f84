#include "platform/desktop/x11/RandrMonitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

std::vector<TMonitor> RandrMonitorList(_XDisplay* display, unsigned long root) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
      major * 100 + minor < 105)
    return {};
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
  std::vector<TMonitor> monitors;
  for (int i = 0; i < count; ++i) {
    TMonitor monitor{{}, QRect(info[i].x, info[i].y, info[i].width, info[i].height), info[i].primary != 0};
    if (char* name = info[i].name != None ? XGetAtomName(display, info[i].name) : nullptr) {
      monitor.name = name;
      XFree(name);
    }
    monitors.push_back(std::move(monitor));
  }
  if (info) XRRFreeMonitors(info);
  return monitors;
}

std::vector<QRect> RandrMonitors(_XDisplay* display, unsigned long root) {
  std::vector<QRect> rects;
  for (const TMonitor& monitor : RandrMonitorList(display, root)) rects.push_back(monitor.rect);
  return rects;
}
