// The program's command line, read before anything else (no application object, no display,
// no lock): the usage and the version, or one command for the running program, or a start.
// One table of options serves the parser, the usage text and the shell completions.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

#include "platform/session/ControlClient.h"

struct TCommandLine {
  enum class Mode {
    Start,    // no option: the program with its window and agent
    Login,    // --login: a start that ends silently when the program already runs here
    Help,     // --help
    Version,  // --version
    Wrong,    // an unknown option, an argument, or two options: the usage on stderr, exit 2
    Command,  // one command for the running program
  };
  Mode mode = Mode::Start;
  std::optional<ControlCommand> command;
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
};

// Every option, in the order --help lists them.
std::span<const TCommandOption> CommandOptions();

TCommandLine ParseCommandLine(const QStringList& arguments);

QString UsageText();
inline constexpr const char* kVersionText = "Tesserine 1.0";
