// Where the configuration file lives: the program's folder is the executable's folder when
// it is writable and the program is not installed, otherwise $XDG_CONFIG_HOME/tesserine/;
// the file is the executable's name with its extension replaced by ".INI". An installed
// program (its menu entry in share/applications beside its bin folder, as under /usr) never
// writes into its own folder, even when run by root, who could.
#pragma once

#include <string>

// The folder, ending in "/"; the fallback folder is created when missing.
std::string ProgramFolder(const std::string& executablePath);
// The rule itself: exeDir when it may hold the configuration, else configHome + "/tesserine";
// both end in "/".
std::string ChooseProgramFolder(const std::string& exeDir, bool exeDirUsable, const std::string& configHome);
// The executable's file name with ".INI" in place of its extension (appended without one).
std::string IniFileNameOf(const std::string& executablePath);
// The program folder without its trailing "/" (the root keeps it).
std::string FolderWithoutSlash(const std::string& folder);
