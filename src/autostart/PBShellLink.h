// The start-up entry component: it holds the properties of one link to a program and
// SaveLink writes them as an XDG desktop entry to FileName (or, with a ShellFolder, to
// that folder under FileName's own name), replacing the file atomically.
//
// The entry format has no field for the window state, the hot key or an icon index: those
// properties and the show-command conversions are kept so callers set the same values, but
// SaveLink writes only the name, comment, working folder, command line and icon.
#pragma once

#include <stdexcept>
#include <string>

class EPBShellLink : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

enum class TShellFolder {
  sfNone,
  sfDesktop,
  sfFavorites,
  sfFonts,
  sfPersonal,
  sfPrograms,
  sfRecent,
  sfSendTo,
  sfStartMenu,
  sfStartup,
  sfTemplates
};

struct TShellLinkIcon {
  // Empty: the program's installed icon.
  std::string FileName;
  int IconIndex = 0;
};

// The show command a link stores for a window state: 1, 7 or 3.
int ShowCmdOf(TWindowState state);
// Reading back: 3 maximized, 7 minimized, anything else normal.
TWindowState WindowStateOf(int showCmd);

class TPBShellLink {
 public:
  // Every string property written to the entry is limited to this many bytes.
  static constexpr std::size_t kMaxStringBytes = 255;
  // The icon written when FileIcon has no file name.
  static constexpr const char* kDefaultIcon = "org.tesserine.Tesserine";
  static constexpr const char* kExtension = ".desktop";

  const std::string& FileName() const { return fileName_; }
  // Appends ".desktop" unless the name already ends so (in any case); a name that is only
  // ".desktop" becomes empty.
  void SetFileName(const std::string& value);

  const std::string& Description() const { return description_; }
  void SetDescription(std::string value) { description_ = std::move(value); }
  const std::string& WorkingDir() const { return workingDir_; }
  void SetWorkingDir(std::string value) { workingDir_ = std::move(value); }
  const std::string& Target() const { return target_; }
  void SetTarget(std::string value) { target_ = std::move(value); }
  const std::string& Arguments() const { return arguments_; }
  void SetArguments(std::string value) { arguments_ = std::move(value); }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState value) { windowState_ = value; }
  int HotKey() const { return hotKey_; }
  void SetHotKey(int value) { hotKey_ = value; }
  const TShellLinkIcon& FileIcon() const { return fileIcon_; }
  void SetFileIcon(TShellLinkIcon value) { fileIcon_ = std::move(value); }
  TShellFolder ShellFolder() const { return shellFolder_; }
  void SetShellFolder(TShellFolder value) { shellFolder_ = value; }

  // The file SaveLink writes: FileName, or its name in the ShellFolder's folder.
  std::string LinkPath() const;
  // The entry's text; throws EPBShellLink "Erreur en écriture." when a string property is
  // longer than kMaxStringBytes or cannot stand in an entry, since a shortened or altered
  // command line could start another program.
  std::string EntryText() const;
  // Writes the entry; throws EPBShellLink "Erreur en écriture." on any failure, leaving an
  // existing file as it was.
  void SaveLink() const;

 private:
  std::string fileName_;
  std::string description_;
  std::string workingDir_;
  std::string target_;
  std::string arguments_;
  TWindowState windowState_ = TWindowState::wsNormal;
  int hotKey_ = 0;
  TShellLinkIcon fileIcon_;
  TShellFolder shellFolder_ = TShellFolder::sfNone;
};
