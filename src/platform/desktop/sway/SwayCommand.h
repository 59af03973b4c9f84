// The sway command that sets the background of every output. sway's parser takes one
// level of quotes off the argument (keeping backslashes) and then expands what is left as a
// shell word, command substitution included. So the name is double-quoted for the shell,
// with '\', '"', '$' and '`' escaped (the backslash before '$' also keeps sway's own
// variables out) and each blank escaped outside the quotes (sway puts a backslash into any
// two blanks in a row); that word is single-quoted for sway's parser, a single quote inside
// it going through a double-quoted stretch.
#pragma once

#include <string>

#include "platform/desktop/DesktopBackend.h"

// The background mode sway and swaybg name a layout by: "tile", "center" or "stretch".
const char* SwayBackgroundMode(WallpaperLayout layout);

// Throws TDesktopError for a name holding a line break or NUL, which a sway command
// cannot carry.
std::string SwayBackgroundCommand(const WallpaperValues& values);

// One background command per monitor: its output shows its own picture.
std::string SwayMonitorsCommand(const std::vector<MonitorWallpaper>& monitors);
