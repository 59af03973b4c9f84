#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

struct CommandOption {
  const char* name;
  ControlCommand command;
  const char* description;
};

const CommandOption kCommands[] = {
    {"next", ControlCommand::Next, "Show the next image, as the tray's \"Next Image\" does."},
    {"previous", ControlCommand::Previous,
     "Show the wallpaper shown before the current one; again goes further back, and --next forward."},
    {"pause", ControlCommand::Pause, "Pause the agent."},
    {"resume", ControlCommand::Resume, "Resume the paused agent."},
    {"toggle-pause", ControlCommand::TogglePause, "Pause the agent, or resume it when paused."},
    {"remove-current", ControlCommand::RemoveCurrent,
     "Remove the current image from the list, after the confirmation the settings ask for."},
    {"show", ControlCommand::Show, "Show the properties window; start Tesserine when it is not running."},
    {"quit", ControlCommand::Quit, "Save the configuration and end the running Tesserine."},
    {"status", ControlCommand::Status, "Print the current image, its method and the agent's state."},
};

}  // namespace

QString UsageText() {
  QString text =
      "Usage: tesserine [OPTION]\n"
      "Changes the desktop wallpaper on a schedule. Without an option it starts the program;\n"
      "an option hands one command to the running program and ends.\n\n";
  for (const CommandOption& option : kCommands)
    text += QString("  --%1%2\n").arg(option.name, -17).arg(option.description);
  text += QString("  -h, --%1%2\n").arg("help", -13).arg("Print this text.");
  text += QString("  --%1%2\n").arg("version", -17).arg("Print the version.");
  return text;
}

TCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption version("version");
  parser.addOption(help);
  parser.addOption(version);
  for (const CommandOption& option : kCommands) parser.addOption(QCommandLineOption(option.name));

  TCommandLine line;
  if (!parser.parse(arguments)) {
    line.mode = TCommandLine::Mode::Wrong;
    line.error = parser.errorText();
    return line;
  }
  if (!parser.positionalArguments().isEmpty()) {
    line.mode = TCommandLine::Mode::Wrong;
    line.error = "Unexpected argument '" + parser.positionalArguments().first() + "'.";
    return line;
  }
  if (parser.isSet(help)) {
    line.mode = TCommandLine::Mode::Help;
    return line;
  }
  if (parser.isSet(version)) {
    line.mode = TCommandLine::Mode::Version;
    return line;
  }
  for (const CommandOption& option : kCommands) {
    if (!parser.isSet(option.name)) continue;
    if (line.command) return {TCommandLine::Mode::Wrong, std::nullopt, "Give one command at a time."};
    line.mode = TCommandLine::Mode::Command;
    line.command = option.command;
  }
  return line;
}
