// KDE Plasma: plasmashell runs a script over D-Bus (org.kde.PlasmaShell evaluateScript)
// that sets the image of every desktop using the image plugin.
#pragma once

#include <QDBusConnection>

#include "platform/desktop/DesktopBackend.h"

class TPlasmaBackend final : public IDesktopBackend {
 public:
  explicit TPlasmaBackend(QDBusConnection bus = QDBusConnection::sessionBus()) : bus_(std::move(bus)) {}
  std::string Name() const override { return "kde"; }
  void Apply(const WallpaperValues& values) override;
  // Each screen its own picture, matched by the screen's geometry.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  std::optional<ShownWallpaper> Query() override;
  // The lock screen keeps a picture of its own in kscreenlockerrc (PlasmaLockScreen.h).
  LockScreenReach LockScreen() const override { return LockScreenReach::Own; }
  void ShowOnLockScreen(const std::string& file) override;

 private:
  // Throws TDesktopError when plasmashell does not answer; returns what the script printed.
  QString Evaluate(const QString& script);

  QDBusConnection bus_;
};
