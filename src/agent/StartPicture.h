// What the hidden agent decodes of a picture, and which picture an agent start decodes
// first: the entry its load selects, worked out from the configuration file alone, so that
// it can be decoded on another thread while the window is built.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/BigIni.h"
#include "config/ConfigValues.h"
#include "config/Settings.h"
#include "config/SettingsIo.h"
#include "picture/PictureAhead.h"
#include "platform/screen/ScreenMetrics.h"
#include "wallpaper/WallpaperApply.h"

// What a change asks of the desktop for the entry of name and code, by the settings.
ApplyRequest WallpaperRequest(const std::string& name, DispObj code, const TSettings& settings,
                              const std::string& convertFileName, QSize screenSize);

// The hidden agent shows the picture nowhere but on the desktop, so a stretched wallpaper is
// decoded only as large as the screen needs and a centred one, where the desktop draws it
// from memory, only as far as the largest monitor shows it (nullopt: decoded whole). Where
// every monitor gets a picture of its own, the primary's is decoded as far as its monitor
// shows it, the one across all monitors as far as their span shows it (AreaDecodeTarget).
std::optional<TDecodeTarget> HiddenAgentDecodeTarget(const ApplyRequest& request, MonitorMode mode,
                                                     const std::vector<TMonitor>& monitors, bool drawsFromMemory);

// What the start reads of the screen and the desktop before the window exists.
struct TStartScreen {
  QSize screenSize;
  std::vector<TMonitor> monitors;
  bool drawsFromMemory = false;
  std::optional<std::string> wallpaper;  // the desktop's stored "Wallpaper" value
};

// The picture a start with "Open Minimized" selects at its load (the desktop's wallpaper,
// else the last image shown, else the list's first entry) and its HiddenAgentDecodeTarget;
// nullopt when the start opens the window, the list is empty, or the picture is decoded
// whole.
std::optional<TPictureRequest> StartPicture(const TBigIniFile& ini, const TRunDefaults& defaults,
                                            const TStartScreen& screen);
