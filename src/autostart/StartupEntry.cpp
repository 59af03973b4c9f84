#include "autostart/StartupEntry.h"

#include <QFile>

#include "autostart/PBShellLink.h"
#include "autostart/StartupFolder.h"

std::string CreateStartupEntry(const std::string& executablePath, const std::string& programFolder) {
  const std::string folder = StartupFolder();
  CreateMissingFolder(folder);

  std::string workingDir = programFolder;
  while (!workingDir.empty() && workingDir.back() == '/') workingDir.pop_back();

  TPBShellLink link;
  link.SetFileName(folder + '/' + kStartupEntryName);
  link.SetDescription("Tesserine");
  link.SetWorkingDir(workingDir + '/');
  link.SetTarget(executablePath);
  link.SetArguments("");
  link.SetWindowState(TWindowState::wsNormal);
  link.SetHotKey(0);
  link.SetFileIcon({});
  link.SaveLink();
  return folder;
}

QString StartupEntryMessage(const std::string& folder) {
  return QStringLiteral("Tesserine should automatically run the next time the desktop starts.   (Shortcut named \"") +
         QLatin1String(kStartupEntryName) + QStringLiteral("\" created in ") +
         QFile::decodeName(QByteArray::fromStdString(folder));
}
