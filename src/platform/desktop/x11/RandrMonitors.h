// The RandR monitors of an X screen, where the wallpaper is drawn and where a desktop window
// may hide it.
#pragma once

#include <QRect>
#include <vector>

struct _XDisplay;

// The active monitors on root's screen; none when the server has no RandR 1.5.
std::vector<QRect> RandrMonitors(_XDisplay* display, unsigned long root);
