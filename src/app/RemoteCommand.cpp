#include "app/RemoteCommand.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/session/SingleInstance.h"

namespace {

QString StatusText(const TRemoteStatus& status) {
  return QString("image: %1\nmethod: %2\nagent: %3\npaused: %4\n")
      .arg(QFile::decodeName(QByteArray::fromStdString(status.image)), QString::fromStdString(status.method),
           status.agentRunning ? "running" : "stopped", status.paused ? "yes" : "no");
}

TCommandResult Failure(const QString& text) { return {1, {}, text + "\n", false}; }

}  // namespace

TCommandResult ResultOf(ControlCommand command, const TControlReply& reply, bool lockHeld) {
  using Outcome = TControlReply::Outcome;
  switch (reply.outcome) {
    case Outcome::Done:
      return {0, command == ControlCommand::Status ? StatusText(reply.status) : QString(), {}, false};
    case Outcome::NoBus:
    case Outcome::NotRunning:
      if (lockHeld)
        return Failure(
            reply.outcome == Outcome::NoBus
                ? "Tesserine is running but cannot be reached: no D-Bus session bus"
                : QString("Tesserine is running but cannot be reached: it does not own %1 on this session bus")
                      .arg(kControlService));
      if (command == ControlCommand::Show) return {0, {}, {}, true};
      return Failure("Tesserine is not running");
    case Outcome::Busy:
      return Failure("busy");
    case Outcome::AgentNotRunning:
      return Failure("The agent is not running");
    case Outcome::NotRemoved:
      return {1, {}, {}, false};
    case Outcome::Failed:
      break;
  }
  return Failure(QString::fromStdString(reply.text));
}

TCommandResult RunRemoteCommand(int& argc, char** argv, ControlCommand command, const std::vector<std::string>& paths) {
  const QCoreApplication application(argc, argv);
  const TControlReply reply = CallRunningProgram(command, paths);
  const bool lockHeld =
      (reply.outcome == TControlReply::Outcome::NoBus || reply.outcome == TControlReply::Outcome::NotRunning) &&
      TSingleInstance::IsHeld(TSingleInstance::CurrentDisplay());
  return ResultOf(command, reply, lockHeld);
}
