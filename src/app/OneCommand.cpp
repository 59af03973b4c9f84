#include "app/OneCommand.h"

#include <cstdio>

#include "app/RemoteCommand.h"

namespace {

TControlReply::Outcome OutcomeOf(TRemoteRefusal::Reason reason) {
  switch (reason) {
    case TRemoteRefusal::Reason::Busy:
      return TControlReply::Outcome::Busy;
    case TRemoteRefusal::Reason::AgentNotRunning:
      return TControlReply::Outcome::AgentNotRunning;
    case TRemoteRefusal::Reason::Failed:
      break;
  }
  return TControlReply::Outcome::Failed;
}

// The reply the control service would have sent.
TControlReply Reply(IRemoteControl& control, const TCommandLine& line) {
  TControlReply reply;
  try {
    switch (*line.command) {
      case ControlCommand::Set:
        control.RemoteSet(line.paths.front());
        break;
      case ControlCommand::Add:
        for (const std::string& refused : control.RemoteAdd(line.paths))
          reply.text += (reply.text.empty() ? "" : "\n") + refused;
        if (!reply.text.empty()) reply.outcome = TControlReply::Outcome::Failed;
        break;
      case ControlCommand::Next:
        control.RemoteNext();
        break;
      case ControlCommand::Previous:
        control.RemotePrevious();
        break;
      default:
        reply.outcome = TControlReply::Outcome::Failed;
        reply.text = "This command needs the running program";
        break;
    }
  } catch (const TRemoteRefusal& refusal) {
    reply.outcome = OutcomeOf(refusal.GetReason());
    reply.text = refusal.what();
  }
  return reply;
}

}  // namespace

int DoOneCommand(IRemoteControl& control, const TCommandLine& line) {
  const TCommandResult result = ResultOf(*line.command, Reply(control, line), true);
  std::fputs(qPrintable(result.out), stdout);
  std::fputs(qPrintable(result.err), stderr);
  return result.exitCode;
}
