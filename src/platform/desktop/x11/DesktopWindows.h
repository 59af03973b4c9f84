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

// After the root was drawn: throws TDesktopError for the X root ("drew the wallpaper behind
// another program's desktop", naming the program) when a desktop window covers a whole
// monitor, so that a change nobody sees is not taken for a success.
void ThrowIfDesktopWindowHidesRoot(_XDisplay* display);
