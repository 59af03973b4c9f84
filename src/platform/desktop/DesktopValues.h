// The stored desktop values ("Wallpaper", "WallpaperStyle", "TileWallpaper", ...), kept
// between runs in a small file of the program's configuration folder, one "name=value" line
// each with both sides percent-encoded, so any byte of a file name survives. Every write
// replaces the file atomically.
#pragma once

#include <QString>
#include <map>
#include <optional>
#include <string>

class TDesktopValues {
 public:
  // folder holds the values file; it is created by OpenKey.
  explicit TDesktopValues(QString folder);

  // $XDG_CONFIG_HOME/tesserine (default ~/.config/tesserine).
  static QString DefaultFolder();

  // Throws TDesktopError "Failed to create key Control Panel\desktop".
  void OpenKey();
  // Throws TDesktopError "Failed to set data for '<name>'"; the value is unchanged then.
  void Set(const std::string& name, const std::string& value);
  std::optional<std::string> Get(const std::string& name) const;

  QString FilePath() const;

 private:
  void Load();
  bool Save(const std::map<std::string, std::string>& values) const;

  QString folder_;
  std::map<std::string, std::string> values_;
};
