// One command of the command line done by the window program itself while nothing else runs
// (RunsWithoutProgram): the command goes to the window's remote control as it would over the
// session bus, and what it prints and exits with are what the command line gives for the
// running program's reply.
#pragma once

#include "app/CommandLine.h"
#include "platform/session/RemoteControl.h"

// Does line's command, prints its output and refusals, and returns its exit code.
int DoOneCommand(IRemoteControl& control, const TCommandLine& line);
