#include "platform/desktop/DBusFailure.h"

#include <QStringList>

DesktopFailure DBusFailure(const QDBusMessage& reply) {
  static const QStringList kUnreachable = {
      "org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus.Error.NameHasNoOwner",
      "org.freedesktop.DBus.Error.NoReply",        "org.freedesktop.DBus.Error.Timeout",
      "org.freedesktop.DBus.Error.TimedOut",       "org.freedesktop.DBus.Error.Disconnected",
      "org.freedesktop.DBus.Error.NoServer",
  };
  return kUnreachable.contains(reply.errorName()) || reply.errorName().startsWith("org.freedesktop.DBus.Error.Spawn")
             ? DesktopFailure::Unreachable
             : DesktopFailure::Refused;
}
