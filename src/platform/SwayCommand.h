// The sway command that sets the background of every output. sway reads the file name
// through its own command parser (quotes, backslashes, $variables) and then expands it as
// a shell word, so the name is single-quoted for the shell, its '$' doubled for sway's
// variables, and the whole wrapped in double quotes with '"' and '\' escaped.
#pragma once

#include <string>

#include "platform/DesktopBackend.h"

// Throws TDesktopError for a name holding a line break or NUL, which a sway command
// cannot carry.
std::string SwayBackgroundCommand(const WallpaperValues& values);
