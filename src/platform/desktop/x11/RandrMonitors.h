// The RandR monitors of an X screen, where the wallpaper is drawn and where a desktop window
// may hide it.
#pragma once

#include <QRect>
#include <vector>

#include "platform/screen/ScreenMetrics.h"

struct _XDisplay;

// The active monitors on root's screen, in the server's order, with their names and which
// one is primary; none when the server has no RandR 1.5.
std::vector<TMonitor> RandrMonitorList(_XDisplay* display, unsigned long root);

// Their rectangles alone.
std::vector<QRect> RandrMonitors(_XDisplay* display, unsigned long root);
