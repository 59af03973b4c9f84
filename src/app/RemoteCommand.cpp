#include "app/RemoteCommand.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include "platform/session/SingleInstance.h"

namespace {

QString StatusText(const TRemoteStatus& status) {
  return QString("image: %1\nmethod: %2\nagent: %3\npaused: %4\nscheme: %5\n")
      .arg(QFile::decodeName(QByteArray::fromStdString(status.image)), QString::fromStdString(status.method),
           status.agentRunning ? "running" : "stopped", status.paused ? "yes" : "no",
           QString::fromStdString(status.scheme));
}

TCommandResult Failure(const QString& text) { return {1, {}, text + "\n"}; }

// A failure that may pass: asked again until the tries' time is up, then its text says so.
TCommandResult Retried(const QString& text) {
  TCommandResult result = Failure(text + QString("; gave up after %1 seconds").arg(kRetryMilliseconds / 1000));
  result.retry = true;
  return result;
}

// Between two tries.
constexpr int kRetryPauseMilliseconds = 50;

}  // namespace

bool RunsWithoutProgram(ControlCommand command) {
  return command == ControlCommand::Set || command == ControlCommand::Add || command == ControlCommand::Next ||
         command == ControlCommand::Previous;
}

TCommandResult ResultOf(ControlCommand command, const TControlReply& reply, bool lockHeld) {
  using Outcome = TControlReply::Outcome;
  const bool waits = RunsWithoutProgram(command);
  switch (reply.outcome) {
    case Outcome::Done:
      return {0, command == ControlCommand::Status ? StatusText(reply.status) : QString(), {}};
    case Outcome::NoBus:
      if (lockHeld) return Failure("Tesserine is running but cannot be reached: no D-Bus session bus");
      break;
    case Outcome::NotRunning:
      // The holder of the lock may be a program that starts, or another command's run.
      if (lockHeld) {
        const QString text =
            QString("Tesserine is running but cannot be reached: it does not own %1 on this session bus")
                .arg(kControlService);
        return waits ? Retried(text) : Failure(text);
      }
      break;
    case Outcome::Busy:
      return waits ? Retried("Tesserine is busy with a question, a menu or loading its configuration")
                   : Failure("busy");
    case Outcome::AgentNotRunning:
      return Failure("The agent is not running");
    case Outcome::NotRemoved:
      return {1, {}, {}, false};
    case Outcome::Failed:
      return Failure(QString::fromStdString(reply.text));
  }
  TCommandResult nothingRuns;
  if (command == ControlCommand::Show || command == ControlCommand::Open)
    nothingRuns.startProgram = true;
  else if (waits)
    nothingRuns.runHere = true;
  else
    nothingRuns = Failure("Tesserine is not running");
  return nothingRuns;
}

TCommandResult AskRunningProgram(ControlCommand command, const std::vector<std::string>& paths) {
  const QDeadlineTimer deadline(kRetryMilliseconds);
  for (;;) {
    const TControlReply reply = CallRunningProgram(command, paths);
    const bool lockHeld =
        (reply.outcome == TControlReply::Outcome::NoBus || reply.outcome == TControlReply::Outcome::NotRunning) &&
        TSingleInstance::IsHeld(TSingleInstance::CurrentDisplay());
    TCommandResult result = ResultOf(command, reply, lockHeld);
    if (!result.retry || deadline.hasExpired()) return result;
    QThread::msleep(kRetryPauseMilliseconds);
  }
}

TCommandResult RunRemoteCommand(int& argc, char** argv, ControlCommand command, const std::vector<std::string>& paths) {
  const QCoreApplication application(argc, argv);
  return AskRunningProgram(command, paths);
}
