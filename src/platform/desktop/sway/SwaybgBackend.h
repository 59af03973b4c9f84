// Wayland compositors without a wallpaper interface of their own (labwc, river, wayfire,
// Hyprland): swaybg draws the background for as long as it runs. It is started in a session
// of its own, so the wallpaper stays after this program ends, as it does on every other
// desktop. A record in the runtime folder (SwaybgRecord.h) says which swaybg is ours: each
// change starts the new one first and ends the recorded one only once the new one has drawn,
// so the screen never shows an empty frame between them.
#pragma once

#include <QProcessEnvironment>
#include <QStringList>

#include "platform/desktop/DesktopBackend.h"

// swaybg's arguments for every output; throws TDesktopError for a name that is not text in
// the system's encoding, which an argument cannot carry unchanged.
QStringList SwaybgArguments(const WallpaperValues& values);
// One "-o <name> -i <file> -m stretch" group per monitor.
QStringList SwaybgMonitorArguments(const std::vector<MonitorWallpaper>& monitors);

class TSwaybgBackend final : public IDesktopBackend {
 public:
  explicit TSwaybgBackend(QString program = "swaybg",
                          QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

  std::string Name() const override { return "swaybg"; }
  // Throws when swaybg cannot start, ends at once (no compositor, or one without
  // layer-shell), or cannot be recorded; the swaybg shown before then stays.
  void Apply(const WallpaperValues& values) override;
  // One swaybg with a group of arguments per output.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  // What our swaybg shows, whichever run started it; nullopt when none of ours runs.
  std::optional<ShownWallpaper> Query() override;

  // The record's file: one per Wayland display, in the runtime folder.
  QString RecordPath() const;

 private:
  // Starts a swaybg with these arguments and ends ours once it has drawn.
  void Show(const QStringList& arguments);

  QString program_;
  QProcessEnvironment environment_;
};
