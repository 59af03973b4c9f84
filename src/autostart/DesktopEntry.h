// The text of an XDG desktop entry that starts one program. Values pass through two layers
// of escaping that readers undo in reverse: the Exec key's argument quoting (with "%"
// written "%%", since "%" starts a field code), then the escaping of string values ("\\",
// "\n", "\t", "\r", and "\s" for a leading blank that would otherwise be trimmed).
#pragma once

#include <string>
#include <string_view>

struct TDesktopEntry {
  std::string Name;
  std::string Comment;
  std::string Path;
  std::string Program;
  // Handed to the program as one argument; none when empty.
  std::string Argument;
  std::string Icon;
};

// Whether text can stand in an entry: valid UTF-8 with no control character other than
// tab, newline and carriage return (which have escapes).
bool FitsDesktopEntry(std::string_view text);

// One argument of the Exec key, quoted when it is empty or holds a reserved character.
std::string QuoteExecArgument(std::string_view argument);

// A string value as it is written after "Key=".
std::string EscapeEntryValue(std::string_view value);

// The whole "[Desktop Entry]" group of an application, one key per line.
std::string DesktopEntryText(const TDesktopEntry& entry);
