// What the "Create Shortcut in Startup folder" button does, without its message box: an
// entry that starts the running executable as at log-in ("--login") is written into the
// start-up folder, and the folder is reported.
#pragma once

#include <QString>
#include <string>

inline constexpr char kStartupEntryName[] = "Tesserine.desktop";

// Writes "Tesserine.desktop" into StartupFolder() (created when missing) with the
// executable and "--login" as its command and programFolder as its working folder; returns
// the folder.
// Throws EPBShellLink "Erreur en écriture." when the entry cannot be written.
std::string CreateStartupEntry(const std::string& executablePath, const std::string& programFolder);

// The success message, naming the folder that was written; on a desktop that ignores the
// folder, followed after a blank line by the ways that desktop starts the program.
QString StartupEntryMessage(const std::string& folder, bool desktopIgnoresFolder);
