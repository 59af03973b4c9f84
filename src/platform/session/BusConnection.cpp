#include "platform/session/BusConnection.h"

#include <QDBusMessage>
#include <QStringList>

namespace {

QDBusMessage AskTheBus(const QDBusConnection& bus, const char* method, const QVariantList& arguments) {
  QDBusMessage call =
      QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method);
  call.setArguments(arguments);
  return bus.call(call, QDBus::Block, 5000);
}

// DBUS_NAME_FLAG_DO_NOT_QUEUE; the reply DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER.
constexpr uint kDoNotQueue = 4;
constexpr uint kPrimaryOwner = 1;

}  // namespace

QDBusConnection BusConnection(const std::string& address, const QString& name) {
  if (address.empty()) return QDBusConnection::sessionBus();
  return QDBusConnection::connectToBus(QString::fromStdString(address), name);
}

bool NameHasOwner(const QDBusConnection& bus, const QString& name) {
  const QDBusMessage reply = AskTheBus(bus, "NameHasOwner", {name});
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         reply.arguments().first().toBool();
}

bool NameActivatable(const QDBusConnection& bus, const QString& name) {
  const QDBusMessage reply = AskTheBus(bus, "ListActivatableNames", {});
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         reply.arguments().first().toStringList().contains(name);
}

bool RequestName(const QDBusConnection& bus, const QString& name) {
  const QDBusMessage reply = AskTheBus(bus, "RequestName", {name, kDoNotQueue});
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         reply.arguments().first().toUInt() == kPrimaryOwner;
}
