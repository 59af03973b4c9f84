#include "platform/session/BusConnection.h"

#include <sys/stat.h>

#include <QDBusMessage>
#include <QStringList>
#include <cstdlib>
#include <string>

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

// A path below a file, which no socket can have.
constexpr const char* kNoBus = "unix:path=/dev/null/no-session-bus";

}  // namespace

void KeepToTheSessionsOwnBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat socket {};
  if (runtime && *runtime && ::stat((std::string(runtime) + "/bus").c_str(), &socket) == 0 && S_ISSOCK(socket.st_mode))
    return;
  ::setenv("DBUS_SESSION_BUS_ADDRESS", kNoBus, 1);
}

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
