// The programs behind the "tesserine" front end, in libexec/tesserine/: the window program,
// which loads the widgets, the desktop backends and the display connection the front end does
// without; and the command program, which does one command of the command line while nothing
// else runs, with the desktop backends but no widgets. The front end answers the command line
// itself and replaces itself by one of them.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kWindowProgramName = "tesserine";
inline constexpr const char* kCommandProgramName = "tesserine-command";

// Where the program named name lies for a front end at frontEnd: libexec/tesserine/NAME beside
// its bin folder when installed (or in the build folder), else the one this front end was
// built with; empty when neither exists.
std::string LibexecProgramFor(const std::string& frontEnd, const std::string& name);

// How the window program starts: plainly, with its window shown ("--show", for a command that
// found no running program, then the pictures to open), or as at log-in ("--login").
enum class WindowStart { Plain, Show, Login };

// Run the window program, or the command program with the command line's own arguments, in
// this process, after holding back termination requests so that one arriving during the
// hand-over waits for the program's own handler. They return only when the program cannot be
// run, with the reason on stderr: 1.
int RunWindowProgram(WindowStart start, const std::vector<const char*>& files = {});
int RunCommandProgram(const std::vector<const char*>& commandArguments);
