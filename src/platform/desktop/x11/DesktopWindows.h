// The desktop windows (DesktopWindow.h) on an X display, found in the window tree: a
// top-level window, or the client window inside a window manager's frame, that is mapped and
// whose _NET_WM_WINDOW_TYPE is _NET_WM_WINDOW_TYPE_DESKTOP.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop/x11/DesktopWindow.h"

struct _XDisplay;

// The desktop windows of the display's default screen, bottom first; windows that go away
// while they are looked at are left out.
std::vector<TDesktopWindow> ListDesktopWindows(_XDisplay* display);

// The same on a display of its own ($DISPLAY when displayName is empty); none when it cannot
// be opened.
std::vector<TDesktopWindow> DesktopWindowsOn(const std::string& displayName);
