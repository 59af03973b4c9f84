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
  // --show or file names found nothing running: the program starts here, its window shown
  // (with the files added).
  bool startProgram = false;
  // A command that runs without the program (RunsWithoutProgram) found nothing running: the
  // window program does it here, with no window, and ends.
  bool runHere = false;
  // The running program may take the command soon (it loads, or it is another command's
  // run): asked again until the time for tries is up, the text is what it gives up with.
  bool retry = false;
};

// --set, --add, --next and --previous: with nothing running they are done without the
// program's window, tray or agent; and they wait for a running program that is busy.
bool RunsWithoutProgram(ControlCommand command);

// How long such a command asks again.
inline constexpr int kRetryMilliseconds = 10000;

// What the command prints and exits with, given the running program's reply. lockHeld says
// whether a program holds this display's instance lock, which tells a program that cannot be
// reached from one that does not run.
TCommandResult ResultOf(ControlCommand command, const TControlReply& reply, bool lockHeld);

// Asks the running program, handing it paths (absolute) for --set and --add, again while it
// says to retry, for kRetryMilliseconds at most. Needs a QCoreApplication.
TCommandResult AskRunningProgram(ControlCommand command, const std::vector<std::string>& paths);

// AskRunningProgram with a QCoreApplication of its own, which argc and argv go to.
TCommandResult RunRemoteCommand(int& argc, char** argv, ControlCommand command, const std::vector<std::string>& paths);
