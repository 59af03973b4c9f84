// LXQt: pcmanfm-qt draws the desktop as a window of its own and takes its wallpaper over
// D-Bus (org.pcmanfm.PCManFM, /Application, setWallpaper(file, mode)). Whether it draws the
// desktop is its property desktopManagerEnabled; no call starts it. It spans one desktop
// window across all monitors, so a picture per monitor reaches it as a canvas of the layout,
// stretched.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

#include "platform/desktop/WindowedDesktopBackend.h"

// pcmanfm-qt ignores a file name it already holds and keeps a stretched picture cached by
// name, so a file drawn again under its own name would show the old picture. The same file
// under another name (a "." folder before its name) makes it read the file anew.
QString SameFileAnotherName(const QString& file);

class TLxqtBackend final : public TWindowedDesktopBackend {
 public:
  explicit TLxqtBackend(std::unique_ptr<IDesktopBackend> fallback, QDBusConnection bus = QDBusConnection::sessionBus())
      : TWindowedDesktopBackend(std::move(fallback)), bus_(std::move(bus)) {}
  std::string Name() const override { return "lxqt"; }

 private:
  bool DesktopRuns() override;
  // The file read anew, whatever name pcmanfm-qt holds: first under another name, then its own.
  void Show(const WallpaperValues& values) override;
  void ShowMonitors(const std::vector<MonitorWallpaper>& monitors) override;

  // Throws TDesktopError unless pcmanfm-qt answers within the time-out.
  QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments);

  QDBusConnection bus_;
};
