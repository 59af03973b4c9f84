// The program's command line, read before anything else (no application object, no display,
// no lock): the usage and the version, or one command for the running program, or a plain
// start.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/session/ControlClient.h"

struct TCommandLine {
  enum class Mode {
    Start,    // no option: the program with its window and agent
    Help,     // --help
    Version,  // --version
    Wrong,    // an unknown option, an argument, or two commands: the usage on stderr, exit 2
    Command,  // one command for the running program
  };
  Mode mode = Mode::Start;
  std::optional<ControlCommand> command;
  // For Wrong: what was wrong.
  QString error;
};

TCommandLine ParseCommandLine(const QStringList& arguments);

QString UsageText();
inline constexpr const char* kVersionText = "Tesserine 1.0";
