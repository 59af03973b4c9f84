// What the "Create Shortcut in Startup folder" button does, without its message box: an
// entry that starts the running executable is written into the start-up folder, and the
// folder is reported.
#pragma once

#include <QString>
#include <string>

inline constexpr char kStartupEntryName[] = "Tesserine.desktop";

// Writes "Tesserine.desktop" into StartupFolder() (created when missing) with the
// executable as its command and programFolder as its working folder; returns the folder.
// Throws EPBShellLink "Erreur en écriture." when the entry cannot be written.
std::string CreateStartupEntry(const std::string& executablePath, const std::string& programFolder);

// The success message, ending with the folder that was written.
QString StartupEntryMessage(const std::string& folder);
