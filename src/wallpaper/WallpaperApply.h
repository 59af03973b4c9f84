// Handing the current entry to the desktop.
//
// Data flow: the main window gathers an ApplyRequest (entry, method, options, where the
// converted bitmap goes, screen size) and a callback that loads the picture (composed for
// the special methods). ApplyToDesktop opens the desktop's value store, runs the load,
// writes the converted bitmap when the desktop cannot take the file itself, stores
// "Wallpaper", "WallpaperStyle" and "TileWallpaper" and asks the desktop to reload them.
#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "picture/DecodeScale.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/screen/ScreenMetrics.h"
#include "wallpaper/DispMethods.h"

struct ApplyRequest {
  std::string name;  // the image file
  DispObj code = DispObj::None;
  bool plusInstalled = false;  // the desktop stretches by itself
  std::string convertFileName;
  QSize screenSize;
};

// What the desktop is given for a request: the wallpaper file, the style (nullopt when it
// is not written and keeps its previous value), the tile flag, and the size the picture is
// stretched to before it is written to the converted file (nullopt: written as it is).
struct ApplyPlan {
  bool convert = false;
  std::optional<QSize> stretchTo;
  std::string wallpaper;
  std::optional<std::string> style;
  std::string tile;
};

ApplyPlan PlanApply(const ApplyRequest& request);

// What the request's picture must still cover when it is decoded: the screen for STRETCH,
// the screen fitted to the picture's proportions for RATIO_STRETCH (its composition is
// stretched to the screen), when the program stretches; nullopt (the whole picture) for
// every other method and when the desktop stretches.
std::optional<TDecodeTarget> DecodeTargetFor(const ApplyRequest& request);

// What the picture must cover for the hidden agent's CENTER of a request on a desktop that
// draws the picture from memory (IDesktopWallpaper::DrawsFromMemory): the largest monitor's
// width and height, so only the part that shows is decoded; nullopt for every other method,
// and where the converted file is not written (a bitmap is handed over as it is).
std::optional<TDecodeTarget> CenterTargetFor(const ApplyRequest& request, QSize largestMonitor);

// The largest width and the largest height of the monitors, each on its own; screen when
// there are none.
QSize LargestMonitor(const std::vector<TMonitor>& monitors, QSize screen);

// For a picture callback that may give only the middle of the file's picture (a centred
// target): wholeSize gives the whole picture's size when it did, an empty size otherwise;
// writeWhole writes the whole picture as the converted file at the path it is given
// (WritePictureConverted, which never holds it whole), throwing as WriteConverted does.
struct TPartOfPicture {
  std::function<QSize()> wholeSize;
  std::function<void(const std::string&)> writeWhole;
};

// Opens the value store, then runs picture (which may throw: nothing has been written
// then), writes the converted file when the plan says so (errors in that write are
// ignored: the desktop is still pointed at the converted file), runs pictureUsed (after
// which the picture is not touched, so the caller may free it before the desktop loads its
// own copy), stores the values and reloads the desktop. TDesktopError from the store or
// the reload skips the rest.
// A desktop that draws from memory is shown the converted picture (an opaque one, which the
// file gives back exactly) before the file is written, so the screen does not wait for the
// write; the file is then written as above, also when the store or the desktop fails. When
// picture gave only a part, the desktop is shown the part, then pictureUsed runs and
// part.writeWhole writes the file.
void ApplyToDesktop(const ApplyRequest& request, const std::function<const QImage&()>& picture,
                    IDesktopWallpaper& desktop, const std::function<void()>& pictureUsed = {},
                    const TPartOfPicture& part = {});

// The file a desktop is given for request without showing it now (a variant it shows by
// itself later): the picture itself where the plan hands it over as it is, else its converted
// file, written (composed for the program's own layouts, on fill) to request.convertFileName;
// empty when the picture cannot be read or written.
std::string WriteVariantFile(const ApplyRequest& request, QRgb fill);

// The converted bitmap of the monitor at index in monitor order: "Tesserina Convert.BMP" for
// the primary, "Tesserina Convert 2.BMP", "Tesserina Convert 3.BMP", ... for the others.
std::string MonitorConvertFileName(const std::string& folder, std::size_t index);

// Whether path is the converted bitmap of some monitor (the primary's included).
bool IsMonitorConvertFileName(const std::string& folder, const std::string& path);

// Removes the converted bitmaps of monitors from index on (those of a layout that had more).
void RemoveMonitorFiles(const std::string& folder, std::size_t index);

// For several monitors, each picture already its monitor's size: writes each as its
// monitor's converted bitmap (a null picture keeps the file recorded for that monitor, or
// the primary's), removes those of monitors no longer there, stores the primary's file in
// the wallpaper values and hands every monitor's file to the desktop. Throws as
// ApplyToDesktop does; a converted bitmap that cannot be written is a TFileWriteError.
void ApplyToMonitors(const std::vector<TMonitor>& monitors, const std::vector<QImage>& pictures,
                     const std::string& folder, IDesktopWallpaper& desktop);
