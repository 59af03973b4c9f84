#include "platform/PlasmaWallpaper.h"

#include <QDBusMessage>

#include "platform/DBusFailure.h"
#include "platform/PlasmaScript.h"

namespace {
constexpr int kTimeoutMs = 5000;
}

QString TPlasmaWallpaper::Evaluate(const QString& script) {
  if (!bus_.isConnected()) ThrowBackendError(Name(), DesktopFailure::Unreachable, "no D-Bus session bus");
  QDBusMessage call =
      QDBusMessage::createMethodCall("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript");
  call << script;
  const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage)
    ThrowBackendError(Name(), DBusFailure(reply), reply.errorMessage().toStdString());
  return reply.arguments().isEmpty() ? QString() : reply.arguments().first().toString();
}

void TPlasmaWallpaper::Apply(const WallpaperValues& values) { Evaluate(PlasmaApplyScript(values)); }

void TPlasmaWallpaper::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Evaluate(PlasmaMonitorsScript(monitors));
}

std::optional<ShownWallpaper> TPlasmaWallpaper::Query() {
  try {
    return ParsePlasmaQuery(Evaluate(PlasmaQueryScript()));
  } catch (const TDesktopError&) {
    return std::nullopt;
  }
}
