// The program's command line, read before anything else (no application object, no display,
// no lock): the usage and the version, or one command for the running program, or a start.
// One table of options serves the parser, the usage text and the shell completions.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/session/ControlClient.h"

struct TCommandLine {
  enum class Mode {
    Start,    // no option: the program with its window and agent
    Login,    // --login: a start that ends silently when the program already runs here
    Help,     // --help
    Version,  // --version
    Wrong,    // an unknown option, an argument, or two options: the usage on stderr, exit 2
    Command,  // one command for the running program (Open: file names alone, no option)
  };
  Mode mode = Mode::Start;
  std::optional<ControlCommand> command;
  // For --set, --add and Open: the paths named, made absolute against the working folder.
  std::vector<std::string> paths;
  // For Wrong: what was wrong.
  QString error;
};

// One option of the command line, as --help lists it.
struct TCommandOption {
  const char* name;                       // the long name, without "--"
  std::optional<ControlCommand> command;  // the command it hands over, for Mode::Command
  const char* description;
  TCommandLine::Mode mode = TCommandLine::Mode::Command;
  const char* shortName = nullptr;  // without "-"; none when null
  // What the option takes, as --help names it: "FILE" for one file, "PATH..." for every
  // argument after it; none when null.
  const char* valueName = nullptr;
  // Whether the shells offer file names for the value.
  bool TakesPaths() const { return valueName != nullptr; }
  // Whether the option takes every argument after it ("PATH...").
  bool TakesRest() const { return valueName && std::string_view(valueName).ends_with("..."); }
};

// Every option, in the order --help lists them.
std::span<const TCommandOption> CommandOptions();

// Relative paths are made absolute against workingFolder.
TCommandLine ParseCommandLine(const QStringList& arguments, const QString& workingFolder);

QString UsageText();
inline constexpr const char* kVersionText = "Tesserine 1.0";
