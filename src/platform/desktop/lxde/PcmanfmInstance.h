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

// Whether a program listens on the socket at path: a connection is taken, or waits for a
// full queue. Otherwise false, with why.
bool SocketListening(const QString& path, std::string& why);

// The picture for pcmanfm's first monitor: that of the monitor where its first desktop window
// (the oldest, the lowest id) lies, else the primary's.
std::string FirstDesktopPicture(const std::vector<MonitorWallpaper>& monitors,
                                const std::vector<TDesktopWindow>& desktops);
