// Wayland compositors without a wallpaper interface of their own (labwc, river, wayfire,
// Hyprland): swaybg draws the background as long as it runs, so the program keeps it as a
// child. Each hand-over ends the running one and starts another with the new picture; the
// child ends with this object, or with the program should it die first.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "platform/DesktopBackend.h"

// swaybg's arguments for every output; throws TDesktopError for a name that is not text in
// the system's encoding, which an argument cannot carry unchanged.
QStringList SwaybgArguments(const WallpaperValues& values);

class TSwaybgWallpaper final : public IDesktopBackend {
 public:
  explicit TSwaybgWallpaper(QString program = "swaybg",
                            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
  ~TSwaybgWallpaper() override;
  TSwaybgWallpaper(const TSwaybgWallpaper&) = delete;
  TSwaybgWallpaper& operator=(const TSwaybgWallpaper&) = delete;

  std::string Name() const override { return "swaybg"; }
  // Throws when swaybg cannot start or ends at once (no compositor, or one without
  // layer-shell).
  void Apply(const WallpaperValues& values) override;
  // What the running swaybg shows; nullopt when none runs.
  std::optional<ShownWallpaper> Query() override;

 private:
  void Stop();

  QString program_;
  QProcessEnvironment environment_;
  QProcess child_;
  ShownWallpaper shown_;
};
