#include "platform/screen/DBusScreenSaver.h"

#include <QDBusMessage>

namespace {
constexpr int kTimeoutMs = 1000;
}

bool TDBusScreenSaver::ScreenSaverRunning() {
  if (!bus_.isConnected()) return false;
  // GNOME serves the object under the long path, KDE under both; some only under the short one.
  for (const char* path : {"/org/freedesktop/ScreenSaver", "/ScreenSaver"}) {
    const QDBusMessage call =
        QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver", path, "org.freedesktop.ScreenSaver", "GetActive");
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
      return reply.arguments().first().toBool();
    if (reply.errorName() == "org.freedesktop.DBus.Error.ServiceUnknown") return false;
  }
  return false;
}
