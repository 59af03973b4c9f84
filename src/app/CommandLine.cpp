#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

using Mode = TCommandLine::Mode;

const TCommandOption kCommands[] = {
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
    {"status", ControlCommand::Status, "Print the current image, its method, the agent's state and the colour scheme."},
    {"login", std::nullopt, "Start as at log-in: as without an option, but end silently when Tesserine already runs.",
     Mode::Login},
    {"help", std::nullopt, "Print this text.", Mode::Help, "h"},
    {"version", std::nullopt, "Print the version.", Mode::Version},
};

QStringList NamesOf(const TCommandOption& option) {
  QStringList names;
  if (option.shortName) names << option.shortName;
  names << option.name;
  return names;
}

}  // namespace

std::span<const TCommandOption> CommandOptions() { return kCommands; }

QString UsageText() {
  QString text =
      "Usage: tesserine [OPTION]\n"
      "Changes the desktop wallpaper on a schedule. Without an option it starts the program;\n"
      "an option hands one command to the running program and ends.\n\n";
  for (const TCommandOption& option : kCommands) {
    const QString flags = (option.shortName ? QString("-%1, --").arg(option.shortName) : QString("--")) + option.name;
    text += QString("  %1%2\n").arg(flags, -19).arg(option.description);
  }
  return text;
}

TCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const TCommandOption& option : kCommands) parser.addOption(QCommandLineOption(NamesOf(option)));

  TCommandLine line;
  if (!parser.parse(arguments)) {
    line.mode = Mode::Wrong;
    line.error = parser.errorText();
    return line;
  }
  if (!parser.positionalArguments().isEmpty()) {
    line.mode = Mode::Wrong;
    line.error = "Unexpected argument '" + parser.positionalArguments().first() + "'.";
    return line;
  }
  // --help and --version answer whatever else the line holds.
  for (const Mode answered : {Mode::Help, Mode::Version})
    for (const TCommandOption& option : kCommands)
      if (option.mode == answered && parser.isSet(option.name)) return {answered, std::nullopt, {}};
  bool chosen = false;
  for (const TCommandOption& option : kCommands) {
    if (!parser.isSet(option.name)) continue;
    if (chosen) return {Mode::Wrong, std::nullopt, "Give one command at a time."};
    chosen = true;
    line.mode = option.mode;
    line.command = option.command;
  }
  return line;
}
