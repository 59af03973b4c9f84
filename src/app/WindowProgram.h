// The window program behind the "tesserine" front end: the front end answers the command
// line itself and, for a plain start, replaces itself by the window program, which loads the
// widgets, the desktop backends and the display connection the commands do without.
#pragma once

#include <string>
#include <vector>

// Where the window program lies for a front end at frontEnd: libexec/tesserine/tesserine
// beside its bin folder when installed (or in the build folder), else the one this front end
// was built with; empty when neither exists.
std::string WindowProgramFor(const std::string& frontEnd);

// How the window program starts: plainly, with its window shown ("--show", for a command that
// found no running program), as at log-in ("--login"), or for one command of the command
// line with nothing running ("--one-command" and the command line's own arguments).
enum class WindowStart { Plain, Show, Login, Command };
inline constexpr const char* kOneCommandArgument = "--one-command";

// Runs the window program in this process with start's argument and, for a command, the
// command line's arguments after it (for Show, files to open), after holding back termination requests so that one
// arriving during the hand-over waits for the program's own handler. Returns only when the
// program cannot be run, with the reason on stderr: 1.
int RunWindowProgram(WindowStart start, const std::vector<const char*>& commandArguments = {});
