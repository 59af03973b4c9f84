#include "platform/session/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "platform/session/BusConnection.h"

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
}

bool SendDesktopNotification(const QString& summary, const QString& body) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!NameHasOwner(bus, kService) && !NameActivatable(bus, kService)) return false;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, "/org/freedesktop/Notifications", kService, QStringLiteral("Notify"));
  // app name, replaces id, icon, summary, body, actions, hints, timeout (-1: the server's own).
  call << QStringLiteral("Tesserine") << 0u << QStringLiteral("org.tesserine.Tesserine") << summary << body
       << QStringList() << QVariantMap() << -1;
  return bus.send(call);
}
