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
  link.SetArguments("--login");
  link.SetWindowState(TWindowState::wsNormal);
  link.SetHotKey(0);
  link.SetFileIcon({});
  link.SaveLink();
  return folder;
}

QString StartupEntryMessage(const std::string& folder, bool desktopIgnoresFolder) {
  QString message =
      QStringLiteral("Tesserine should automatically run the next time the desktop starts.   (Shortcut named \"") +
      QLatin1String(kStartupEntryName) + QStringLiteral("\" created in ") +
      QFile::decodeName(QByteArray::fromStdString(folder));
  if (desktopIgnoresFolder)
    message += QStringLiteral(
        "\n\nThis desktop does not start programs from that folder: add \"exec tesserine --login\" to its "
        "configuration, or run \"systemctl --user enable tesserine.service\".");
  return message;
}
