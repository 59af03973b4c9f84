// The "tesserine" the user starts: the command line is answered here, with no window, no
// widgets and no display connection (the usage, the version, or one command handed to the
// running program over the session bus); a start becomes the window program, a command that
// finds nothing running the command program.
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/CommandLine.h"
#include "app/LibexecPrograms.h"
#include "app/RemoteCommand.h"
#include "platform/session/BusConnection.h"

namespace {

// Qt would abort without a display; a platform named in QT_QPA_PLATFORM (offscreen) needs none.
bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

int NoDisplay() {
  std::fputs("tesserine: no display to show the window on: neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  KeepToTheSessionsOwnBus();
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const TCommandLine line = ParseCommandLine(arguments, QDir::currentPath());
  WindowStart start = WindowStart::Plain;
  switch (line.mode) {
    case TCommandLine::Mode::Help:
      std::fputs(qPrintable(UsageText()), stdout);
      return 0;
    case TCommandLine::Mode::Version:
      std::puts(kVersionText);
      return 0;
    case TCommandLine::Mode::Wrong:
      std::fprintf(stderr, "tesserine: %s\n\n%s", qPrintable(line.error), qPrintable(UsageText()));
      return 2;
    case TCommandLine::Mode::Command: {
      const TCommandResult result = RunRemoteCommand(argc, argv, *line.command, line.paths);
      std::fputs(qPrintable(result.out), stdout);
      std::fputs(qPrintable(result.err), stderr);
      if (!result.startProgram && !result.runHere) return result.exitCode;
      if (result.runHere) {
        // The command program reads the command line's own arguments again.
        if (!HasDisplay()) return NoDisplay();
        return RunCommandProgram(std::vector<const char*>(argv + 1, argv + argc));
      }
      start = WindowStart::Show;
      break;
    }
    case TCommandLine::Mode::Login:
      start = WindowStart::Login;
      break;
    case TCommandLine::Mode::Start:
      break;
  }
  if (!HasDisplay()) return NoDisplay();
  // A start for files opened hands on their absolute names.
  std::vector<const char*> files;
  if (line.command == ControlCommand::Open)
    for (const std::string& path : line.paths) files.push_back(path.c_str());
  return RunWindowProgram(start, files);
}
