// The window program's run for one command of the command line while nothing else runs
// (RunsWithoutProgram): no window, no widgets, no tray and no agent. The configuration loads
// as the window's load does, the command goes to the agent's remote control, what it changed
// is written as its state keys and new lines alone (the window's unsaved settings have no
// part in it), and the run ends once its picture has faded in.
#pragma once

#include "app/CommandLine.h"

// Does line's command and ends the process with its exit code. A program that started since
// the command found none gets the command after all: its answer is given, and its exit code
// returned.
int RunOneCommand(int argc, char** argv, const TCommandLine& line);
