#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

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
    {"set", ControlCommand::Set,
     "Show FILE now, adding it to the list with the \"Default Display\" method when it is not in it.", Mode::Command,
     nullptr, "FILE"},
    {"add", ControlCommand::Add,
     "Add each picture with the \"Default Display\" method, and watch each folder with its subfolders; every "
     "argument after it is a path.",
     Mode::Command, nullptr, "PATH..."},
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

// Where the option that takes every argument after it, whatever it looks like, is first
// spelled in arguments; -1 when it is not.
qsizetype RestStart(const QStringList& arguments) {
  for (const TCommandOption& option : kCommands)
    if (option.TakesRest()) return arguments.indexOf(QString("--") + option.name);
  return -1;
}

std::string AbsolutePath(const QString& path, const QString& workingFolder) {
  return QFile::encodeName(QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path))).toStdString();
}

}  // namespace

std::span<const TCommandOption> CommandOptions() { return kCommands; }

QString UsageText() {
  QString text = "Usage: tesserine [OPTION]\n       tesserine FILE...\n";
  for (const TCommandOption& option : kCommands)
    if (option.valueName) text += QString("       tesserine --%1 %2\n").arg(option.name, option.valueName);
  text +=
      "Changes the desktop wallpaper on a schedule. Without an option it starts the program;\n"
      "an option hands one command to the running program and ends. File names alone open the\n"
      "properties window with those pictures added, in the running program or a new one.\n\n";
  for (const TCommandOption& option : kCommands) {
    QString flags = (option.shortName ? QString("-%1, --").arg(option.shortName) : QString("--")) + option.name;
    if (option.valueName) flags += QString(" ") + option.valueName;
    text += QString("  %1%2\n").arg(flags, -19).arg(option.description);
  }
  return text;
}

TCommandLine ParseCommandLine(const QStringList& arguments, const QString& workingFolder) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const TCommandOption& option : kCommands) {
    QCommandLineOption parsed(NamesOf(option));
    // The paths of one that takes the rest are taken off the line before the parser reads it.
    if (option.valueName && !option.TakesRest()) parsed.setValueName(option.valueName);
    parser.addOption(parsed);
  }

  TCommandLine line;
  const qsizetype add = RestStart(arguments);
  const QStringList added = add < 0 ? QStringList() : arguments.mid(add + 1);
  if (add >= 0 && added.isEmpty()) return {Mode::Wrong, std::nullopt, {}, "--add needs at least one path."};
  for (const QString& path : added) {
    if (path.isEmpty()) return {Mode::Wrong, std::nullopt, {}, "An empty path names no file."};
    line.paths.push_back(AbsolutePath(path, workingFolder));
  }
  if (!parser.parse(add < 0 ? arguments : arguments.mid(0, add + 1))) {
    line.mode = Mode::Wrong;
    line.error = parser.errorText();
    return line;
  }
  const QStringList files = add < 0 ? parser.positionalArguments() : QStringList();
  if (add >= 0 && !parser.positionalArguments().isEmpty()) {
    line.mode = Mode::Wrong;
    line.error = "Unexpected argument '" + parser.positionalArguments().first() + "'.";
    return line;
  }
  // --help and --version answer whatever else the line holds.
  for (const Mode answered : {Mode::Help, Mode::Version})
    for (const TCommandOption& option : kCommands)
      if (option.mode == answered && parser.isSet(option.name)) return {answered, std::nullopt, {}, {}};
  // File names alone open them in the properties window, as a file manager's "Open With" does.
  for (const QString& file : files) {
    if (file.isEmpty()) return {Mode::Wrong, std::nullopt, {}, "An empty path names no file."};
    line.paths.push_back(AbsolutePath(file, workingFolder));
  }
  bool chosen = !files.isEmpty();
  if (chosen) {
    line.mode = Mode::Command;
    line.command = ControlCommand::Open;
  }
  for (const TCommandOption& option : kCommands) {
    if (!parser.isSet(option.name)) continue;
    if (chosen) return {Mode::Wrong, std::nullopt, {}, "Give one command at a time."};
    chosen = true;
    line.mode = option.mode;
    line.command = option.command;
    if (!option.valueName || option.TakesRest()) continue;
    const QString file = parser.value(option.name);
    if (file.isEmpty()) return {Mode::Wrong, std::nullopt, {}, "An empty path names no file."};
    line.paths = {AbsolutePath(file, workingFolder)};
  }
  return line;
}
