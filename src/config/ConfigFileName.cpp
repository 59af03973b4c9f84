#include "config/ConfigFileName.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/system/PathParts.h"

std::string ChooseProgramFolder(const std::string& exeDir, bool exeDirUsable, const std::string& configHome) {
  if (exeDirUsable && !exeDir.empty()) return exeDir + '/';
  return configHome + "/tesserine/";
}

std::string ProgramFolder(const std::string& executablePath) {
  const QString dir = QFileInfo(QString::fromStdString(executablePath)).absolutePath();
  const bool installed = QFileInfo::exists(dir + "/../share/applications/org.tesserine.Tesserine.desktop");
  const bool writable = !dir.isEmpty() && ::access(QFile::encodeName(dir).constData(), W_OK) == 0;
  const std::string folder =
      ChooseProgramFolder(dir.toStdString(), writable && !installed,
                          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
  QDir().mkpath(QString::fromStdString(folder));
  return folder;
}

std::string IniFileNameOf(const std::string& executablePath) {
  std::string name = FileNamePart(executablePath);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".INI";
}

std::string FolderWithoutSlash(const std::string& folder) {
  if (folder.size() > 1 && folder.back() == '/') return folder.substr(0, folder.size() - 1);
  return folder;
}
