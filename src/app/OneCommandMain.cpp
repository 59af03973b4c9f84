// The command program, started by the "tesserine" front end (CommandMain.cpp) with the command
// line's own arguments when --set, --add, --next or --previous finds nothing running. It links
// no widgets, so it starts in less time than the window program would.
#include <QDir>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/OneCommandRun.h"
#include "app/RemoteCommand.h"
#include "platform/session/BusConnection.h"
#include "platform/system/ProgramPath.h"

int main(int argc, char** argv) {
  KeepToTheSessionsOwnBus();
  TakeProgramPath();
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const TCommandLine line = ParseCommandLine(arguments, QDir::currentPath());
  if (!line.command || !RunsWithoutProgram(*line.command)) {
    std::fputs("tesserine: the command program takes --set, --add, --next or --previous\n", stderr);
    return 2;
  }
  return RunOneCommand(argc, argv, line);
}
