// For a desktop that shows one picture across all monitors: the canvas of the whole layout
// (ComposeLayoutCanvas) written over the primary's converted bitmap, the file it is then
// handed.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop/DesktopWallpaper.h"

// monitors is not empty; returns the file written (the first monitor's). Throws TDesktopError
// "did not take the wallpaper" for the backend when the canvas cannot be made or written.
const std::string& WriteLayoutCanvas(const std::string& backend, const std::vector<MonitorWallpaper>& monitors);
