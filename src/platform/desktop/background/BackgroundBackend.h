// Wayland compositors with the layer shell (sway, wayfire, labwc, river, Hyprland): our own
// tesserine-background draws the wallpaper. The first change starts it, detached as swaybg
// would be, so the wallpaper stays after this program ends; one runs per Wayland display, its
// socket in the runtime folder telling whether it does. Each change asks it for the outputs
// and their sizes in device pixels, makes each output's picture as the X root's are made (tile,
// centre or stretch on that output, or the monitor's own picture stretched to it) and hands
// the pictures over; it fades to them by itself. A missing or dead one is started again at
// the next change; no other program's process is ever touched.
#pragma once

#include <sys/types.h>

#include <QProcessEnvironment>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/background/BackgroundConnection.h"

class TBackgroundBackend final : public IDesktopBackend {
 public:
  // An empty program means the tesserine-background beside this executable, or the one built
  // with it.
  explicit TBackgroundBackend(QString program = {},
                              QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

  std::string Name() const override { return "background"; }
  // Throws TDesktopError when the program cannot be started, finds no layer shell or no
  // output, or refuses the pictures; what shows then stays.
  void Apply(const WallpaperValues& values) override;
  bool DrawsFromMemory() const override { return true; }
  // A part of a centred picture only where it covers every output (PartCoversMonitors).
  bool ApplyFromMemory(const WallpaperValues& values, const WallpaperMemory& memory) override;
  // Each output shows the picture of the monitor of its name, the primary's where none has it.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  // The last pictures made again, at once, for the outputs there are now.
  void ScreensChanged() override;
  void FadeNext(std::chrono::milliseconds duration) override { fadeNext_ = duration; }

  QString SocketPath() const;
  // The running program's connection, started first when none runs; throws TDesktopError.
  std::unique_ptr<TBackgroundConnection> Connect();

 private:
  using Compose = std::function<std::optional<QImage>(const BackgroundOutput&)>;
  // Hands each output compose's picture; false, with nothing handed over, when compose gives
  // nullopt for one.
  bool Show(const Compose& compose);
  std::unique_ptr<TBackgroundConnection> Start();
  void KeepAboveSwaysBackground();

  QString program_;
  QProcessEnvironment environment_;
  std::chrono::milliseconds fadeNext_{0};
  std::optional<WallpaperValues> shown_;
  std::vector<MonitorWallpaper> shownMonitors_;
  pid_t started_ = 0;  // the last one this backend started, reaped once it ends
};
