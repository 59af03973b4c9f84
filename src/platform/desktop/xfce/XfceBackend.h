// XFCE: xfdesktop follows the xfconf channel "xfce4-desktop". Every existing
// /backdrop/.../last-image property (one per monitor and workspace, names vary by machine)
// gets the file, and its sibling image-style the layout.
#pragma once

#include <QDBusConnection>

#include "platform/desktop/DesktopBackend.h"

class TXfceBackend final : public IDesktopBackend {
 public:
  explicit TXfceBackend(QDBusConnection bus = QDBusConnection::sessionBus()) : bus_(std::move(bus)) {}
  std::string Name() const override { return "xfce"; }
  void Apply(const WallpaperValues& values) override;
  // Each monitor's own properties, for every workspace: its picture, stretched.
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  std::optional<ShownWallpaper> Query() override;
  // XFCE's screen saver locks over the desktop's own picture.
  LockScreenReach LockScreen() const override { return LockScreenReach::ShowsDesktop; }

 private:
  QVariantMap Backdrops();
  void SetProperty(const QString& property, const QVariant& value);

  QDBusConnection bus_;
};
