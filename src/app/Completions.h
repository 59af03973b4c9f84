// The shell completions of the command line, made from its table of options so that each
// shell offers exactly what --help lists: bash's completion function, zsh's completion
// file and fish's complete commands.
#pragma once

#include <string>

std::string BashCompletion();
std::string ZshCompletion();
std::string FishCompletion();
