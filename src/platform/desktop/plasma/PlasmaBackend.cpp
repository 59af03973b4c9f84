#include "platform/desktop/plasma/PlasmaBackend.h"

#include <QDBusMessage>

#include "platform/desktop/DBusFailure.h"
#include "platform/desktop/plasma/PlasmaLockScreen.h"
#include "platform/desktop/plasma/PlasmaScript.h"

namespace {
constexpr int kTimeoutMs = 5000;
}

QString TPlasmaBackend::Evaluate(const QString& script) {
  if (!bus_.isConnected()) ThrowBackendError(Name(), DesktopFailure::Unreachable, "no D-Bus session bus");
  QDBusMessage call =
      QDBusMessage::createMethodCall("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript");
  call << script;
  const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage)
    ThrowBackendError(Name(), DBusFailure(reply), reply.errorMessage().toStdString());
  return reply.arguments().isEmpty() ? QString() : reply.arguments().first().toString();
}

void TPlasmaBackend::Apply(const WallpaperValues& values) { Evaluate(PlasmaApplyScript(values)); }

void TPlasmaBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Evaluate(PlasmaMonitorsScript(monitors));
}

std::optional<ShownWallpaper> TPlasmaBackend::Query() {
  try {
    return ParsePlasmaQuery(Evaluate(PlasmaQueryScript()));
  } catch (const TDesktopError&) {
    return std::nullopt;
  }
}

void TPlasmaBackend::ShowOnLockScreen(const std::string& file) { ShowOnPlasmaLockScreen(file); }
