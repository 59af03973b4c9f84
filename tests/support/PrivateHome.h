// Points HOME and the XDG folders into one private folder, so that a test or fuzz run never
// reads or writes the user's real files. The runtime folder gets the 0700 mode the XDG
// rules ask for.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdlib>
#include <utility>

inline void PointHomeAt(const QString& root) {
  const std::pair<const char*, const char*> folders[] = {
      {"HOME", ""},
      {"XDG_CONFIG_HOME", "/.config"},
      {"XDG_DATA_HOME", "/.local/share"},
      {"XDG_CACHE_HOME", "/.cache"},
      {"XDG_STATE_HOME", "/.local/state"},
      {"XDG_RUNTIME_DIR", "/runtime"},
  };
  for (const auto& [name, sub] : folders) {
    const QString path = root + sub;
    QDir().mkpath(path);
    setenv(name, QFile::encodeName(path).constData(), 1);
  }
  QFile::setPermissions(root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
