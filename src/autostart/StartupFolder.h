// The folder whose desktop entries the session starts at log-in: $XDG_CONFIG_HOME/autostart,
// where an empty or relative XDG_CONFIG_HOME counts as unset and means ~/.config.
#pragma once

#include <string>
#include <string_view>

// The folder for the current environment, without a trailing "/".
std::string StartupFolder();

// The rule itself, on the raw XDG_CONFIG_HOME and HOME values.
std::string StartupFolderFor(std::string_view configHome, std::string_view home);

// Creates the folder and its missing parents with mode 0700, as the base-directory rules ask
// of a program about to write there; failures are left to the write that follows.
void CreateMissingFolder(const std::string& folder);
