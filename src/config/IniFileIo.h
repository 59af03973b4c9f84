// Reading and replacing the INI file on disk, by its exact path bytes (a path that is not
// valid UTF-8 still names the same file). Failures throw TIniFileError naming the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The file's bytes; nothing when the file does not exist.
std::optional<std::string> ReadIniBytes(const std::string& path);

// Writes bytes to a temporary file in the target's folder, syncs it and renames it over
// the target (the target of a symbolic link, which stays a link), keeping the old file's
// permissions. On failure the old file is untouched and the temporary file is removed.
void WriteIniBytesAtomically(const std::string& path, std::string_view bytes);
