// LXDE: pcmanfm draws the desktop as a window of its own, one per monitor, and takes its
// wallpaper from a second pcmanfm started with --set-wallpaper, which hands its arguments to
// the first through a socket of the instance and ends. Where no first one listens, that
// second pcmanfm would stay as a new instance: it is started only while pcmanfm's desktop
// window is on the display and its instance socket takes connections, and it must end within
// a time-out. It reaches only pcmanfm's first monitor.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "platform/desktop/WindowedDesktopBackend.h"
#include "platform/desktop/x11/DesktopWindow.h"

class TLxdeBackend final : public TWindowedDesktopBackend {
 public:
  explicit TLxdeBackend(std::unique_ptr<IDesktopBackend> fallback, QString program = "pcmanfm",
                        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
  std::string Name() const override { return "lxde"; }

 private:
  // A desktop window of pcmanfm's on the display.
  bool DesktopRuns() override;
  void Show(const WallpaperValues& values) override;
  // The picture of pcmanfm's first monitor (FirstDesktopPicture), stretched.
  void ShowMonitors(const std::vector<MonitorWallpaper>& monitors) override;

  // Hands arguments to the running pcmanfm.
  void Run(const QStringList& arguments);

  QString program_;
  QProcessEnvironment environment_;
  std::vector<TDesktopWindow> desktops_;  // pcmanfm's, as DesktopRuns last found them
};
