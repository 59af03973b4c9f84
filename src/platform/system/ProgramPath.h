// The program the user starts, "tesserine": a small command-line front end that hands a
// plain start on to the window program (WindowProgram.h), passing its own path in
// TESSERINE_PROGRAM_PATH. The window program keeps its configuration beside that path and
// puts it in the start-up entry, as if it were that program.
#pragma once

#include <string>

inline constexpr const char* kProgramPathVariable = "TESSERINE_PROGRAM_PATH";

// This executable's own path, from /proc; empty when it cannot be read.
std::string OwnExecutablePath();

// Takes the front end's path from the environment and removes the variable there, so that no
// program started later inherits it; without it, this executable's own path. Call once, first.
void TakeProgramPath();
// What TakeProgramPath found.
const std::string& ProgramPath();
