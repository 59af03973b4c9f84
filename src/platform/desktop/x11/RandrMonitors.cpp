#include "platform/desktop/x11/RandrMonitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

std::vector<QRect> RandrMonitors(_XDisplay* display, unsigned long root) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
      major * 100 + minor < 105)
    return {};
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
  std::vector<QRect> monitors;
  for (int i = 0; i < count; ++i) monitors.emplace_back(info[i].x, info[i].y, info[i].width, info[i].height);
  if (info) XRRFreeMonitors(info);
  return monitors;
}
