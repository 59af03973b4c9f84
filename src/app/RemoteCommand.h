// One command of the command line for the running program, handed over through its D-Bus
// interface, and what the command prints and exits with. No window, no widgets and no
// display: only a QCoreApplication for the bus.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/session/ControlClient.h"

struct TCommandResult {
  int exitCode = 0;
  QString out;
  QString err;
  // --show found nothing running: the program starts here, its window shown.
  bool startProgram = false;
};

// What the command prints and exits with, given the running program's reply. lockHeld says
// whether a program holds this display's instance lock, which tells a program that cannot be
// reached from one that does not run.
TCommandResult ResultOf(ControlCommand command, const TControlReply& reply, bool lockHeld);

// Asks the running program, handing it paths (absolute) for --set and --add; argc and argv
// go to the QCoreApplication.
TCommandResult RunRemoteCommand(int& argc, char** argv, ControlCommand command, const std::vector<std::string>& paths);
