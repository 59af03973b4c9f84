#include "autostart/StartupFolder.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <cstdlib>

namespace {

std::string_view WithoutTrailingSlashes(std::string_view path) {
  while (!path.empty() && path.back() == '/') path.remove_suffix(1);
  return path;
}

}  // namespace

std::string StartupFolderFor(std::string_view configHome, std::string_view home) {
  if (configHome.empty() || configHome.front() != '/') {
    return std::string(WithoutTrailingSlashes(home)) + "/.config/autostart";
  }
  return std::string(WithoutTrailingSlashes(configHome)) + "/autostart";
}

std::string StartupFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  return StartupFolderFor(configHome ? configHome : "", QFile::encodeName(QDir::homePath()).toStdString());
}

void CreateMissingFolder(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    ::mkdir(folder.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) return;
  }
}
