// The JavaScript that plasmashell's evaluateScript runs to set or read the wallpaper of
// every desktop that uses the image plugin. File names travel inside the script as string
// literals, so every character that could end the literal or the line is escaped.
#pragma once

#include <QString>
#include <optional>

#include "platform/desktop/DesktopBackend.h"

// A double-quoted JavaScript literal that evaluates to text exactly.
QString JsStringLiteral(const QString& text);
// The percent-encoded file URL Plasma expects; empty for an empty name. Throws
// TDesktopError for a name that is not text in the system's encoding.
QString PlasmaImageUrl(const std::string& file);
QString PlasmaApplyScript(const WallpaperValues& values);
// Every image-plugin desktop shows the picture of the monitor at its screen's geometry
// (screenGeometry), stretched; a screen at no monitor's place shows the primary's.
QString PlasmaMonitorsScript(const std::vector<MonitorWallpaper>& monitors);
// Prints the image URL and fill mode of the first image-plugin desktop, one per line.
QString PlasmaQueryScript();
std::optional<ShownWallpaper> ParsePlasmaQuery(const QString& printed);
