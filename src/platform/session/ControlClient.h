// The command line's end of the running program's D-Bus interface (ControlService.h): one
// call, and what became of it. It needs a QCoreApplication but no display.
#pragma once

#include <string>
#include <vector>

#include "platform/session/RemoteControl.h"

enum class ControlCommand {
  Next,
  Previous,
  Pause,
  Resume,
  TogglePause,
  RemoveCurrent,
  Show,
  Quit,
  Status,
  Set,
  Add,
  Open
};

struct TControlReply {
  enum class Outcome {
    Done,
    NoBus,            // no session bus to ask on
    NotRunning,       // nobody owns the name
    Busy,             // the program has a menu or question open, or loads its configuration
    AgentNotRunning,  // pausing and resuming need the agent
    NotRemoved,       // the user declined the removal
    Failed,           // text says why (for Add, one refused path a line)
  };
  Outcome outcome = Outcome::Done;
  std::string text;
  TRemoteStatus status;  // for Status
};

// paths: Set's one file or Add's paths, absolute. busAddress empty: the session bus.
TControlReply CallRunningProgram(ControlCommand command, const std::vector<std::string>& paths = {},
                                 const std::string& busAddress = {});
