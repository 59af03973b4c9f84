// How a second pcmanfm reaches the one that draws the desktop: through the socket of the
// instance, named after the display, and only for the first monitor's desktop.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <string>
#include <vector>

#include "platform/desktop/DesktopWallpaper.h"
#include "platform/desktop/x11/DesktopWindow.h"

// Where pcmanfm keeps its instance socket for environment's DISPLAY:
// "$XDG_RUNTIME_DIR/pcmanfm-socket-<host>-<display number>" (the cache folder when there is
// no runtime folder).
QString PcmanfmSocketPath(const QProcessEnvironment& environment);

// Whether a program listens on the socket at path, as the kernel's table of sockets says.
// Connecting to find out is no question for pcmanfm: it takes a connection that sends
// nothing for a request to open a file manager window.
bool SocketListening(const QString& path);

// The picture for pcmanfm's first monitor: that of the monitor where its first desktop window
// (the oldest, the lowest id) lies, else the primary's.
std::string FirstDesktopPicture(const std::vector<MonitorWallpaper>& monitors,
                                const std::vector<TDesktopWindow>& desktops);
