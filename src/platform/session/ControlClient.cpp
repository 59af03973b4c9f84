#include "platform/session/ControlClient.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QScopeGuard>
#include <QVariantMap>
#include <limits>

#include "platform/session/BusConnection.h"

namespace {

const char* MethodOf(ControlCommand command) {
  switch (command) {
    case ControlCommand::Next:
      return "Next";
    case ControlCommand::Previous:
      return "Previous";
    case ControlCommand::Pause:
      return "Pause";
    case ControlCommand::Resume:
      return "Resume";
    case ControlCommand::TogglePause:
      return "TogglePause";
    case ControlCommand::RemoveCurrent:
      return "RemoveCurrent";
    case ControlCommand::Show:
      return "Show";
    case ControlCommand::Quit:
      return "Quit";
    case ControlCommand::Set:
      return "Set";
    case ControlCommand::Add:
      return "Add";
    case ControlCommand::Open:
      return "Open";
    case ControlCommand::Status:
      break;
  }
  return "GetAll";
}

TControlReply::Outcome OutcomeOfError(const QString& name) {
  if (name == kBusyError) return TControlReply::Outcome::Busy;
  if (name == kAgentNotRunningError) return TControlReply::Outcome::AgentNotRunning;
  if (name == "org.freedesktop.DBus.Error.ServiceUnknown" || name == "org.freedesktop.DBus.Error.NameHasNoOwner")
    return TControlReply::Outcome::NotRunning;
  return TControlReply::Outcome::Failed;
}

TRemoteStatus StatusOf(const QVariantMap& properties) {
  TRemoteStatus status;
  status.image = QFile::encodeName(properties.value("CurrentImage").toString()).toStdString();
  status.method = properties.value("CurrentMethod").toString().toStdString();
  status.paused = properties.value("Paused").toBool();
  status.agentRunning = properties.value("AgentRunning").toBool();
  status.scheme = properties.value("ColorScheme").toString().toStdString();
  return status;
}

}  // namespace

TControlReply CallRunningProgram(ControlCommand command, const std::vector<std::string>& paths,
                                 const std::string& busAddress) {
  // A connection of its own, closed before the application object goes: Qt's shared session
  // connection outlives it and warns at exit about messages it can no longer deliver.
  const QString name = "tesserine-command";
  // Qt's bus thread queues an error reply's types too; unregistered, each costs a warning.
  qRegisterMetaType<QDBusError>();
  qRegisterMetaType<QDBusMessage>();
  const QDBusConnection bus = busAddress.empty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                                                 : BusConnection(busAddress, name);
  const auto closed = qScopeGuard([&name] { QDBusConnection::disconnectFromBus(name); });
  TControlReply reply;
  if (!bus.isConnected()) {
    reply.outcome = TControlReply::Outcome::NoBus;
    return reply;
  }
  if (!NameHasOwner(bus, kControlService)) {
    reply.outcome = TControlReply::Outcome::NotRunning;
    return reply;
  }
  const bool status = command == ControlCommand::Status;
  QDBusMessage call = QDBusMessage::createMethodCall(
      kControlService, kControlPath, status ? "org.freedesktop.DBus.Properties" : kControlInterface, MethodOf(command));
  if (status) call << QString(kControlInterface);
  QStringList pathTexts;
  for (const std::string& path : paths) pathTexts << QFile::decodeName(QByteArray::fromStdString(path));
  if (command == ControlCommand::Set) call << pathTexts.value(0);
  if (command == ControlCommand::Add || command == ControlCommand::Open) call << pathTexts;
  // A removal waits for the user's answer to the running program's question.
  const int timeout = command == ControlCommand::RemoveCurrent ? std::numeric_limits<int>::max() : -1;
  const QDBusMessage answer = bus.call(call, QDBus::Block, timeout);
  if (answer.type() == QDBusMessage::ErrorMessage) {
    reply.outcome = OutcomeOfError(answer.errorName());
    reply.text = answer.errorMessage().toStdString();
    return reply;
  }
  if (status && !answer.arguments().isEmpty())
    reply.status = StatusOf(qdbus_cast<QVariantMap>(answer.arguments().first()));
  if (command == ControlCommand::RemoveCurrent && !answer.arguments().isEmpty() && !answer.arguments().first().toBool())
    reply.outcome = TControlReply::Outcome::NotRemoved;
  if (command == ControlCommand::Add && !answer.arguments().isEmpty()) {
    const QStringList refused = answer.arguments().first().toStringList();
    if (!refused.isEmpty()) {
      reply.outcome = TControlReply::Outcome::Failed;
      reply.text = refused.join('\n').toStdString();
    }
  }
  return reply;
}
