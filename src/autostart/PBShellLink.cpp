#include "autostart/PBShellLink.h"

#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <optional>
#include <system_error>

#include "autostart/DesktopEntry.h"
#include "autostart/StartupFolder.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/PathParts.h"

namespace {

const char kWriteError[] = "Erreur en \u00e9criture.";

std::string UpperAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

// From the last dot of the file-name part, dot included; a leading dot counts too.
std::string ExtensionOf(const std::string& path) {
  const std::string name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::optional<std::string> StandardFolder(QStandardPaths::StandardLocation location) {
  const QString folder = QStandardPaths::writableLocation(location);
  if (folder.isEmpty()) return std::nullopt;
  return QFile::encodeName(folder).toStdString();
}

// The folders with a counterpart on a Linux desktop; the others have none.
std::optional<std::string> ShellFolderPath(TShellFolder folder) {
  switch (folder) {
    case TShellFolder::sfStartup:
      return StartupFolder();
    case TShellFolder::sfDesktop:
      return StandardFolder(QStandardPaths::DesktopLocation);
    case TShellFolder::sfPersonal:
      return StandardFolder(QStandardPaths::DocumentsLocation);
    case TShellFolder::sfFonts:
      return StandardFolder(QStandardPaths::FontsLocation);
    case TShellFolder::sfPrograms:
    case TShellFolder::sfStartMenu:
      return StandardFolder(QStandardPaths::ApplicationsLocation);
    default:
      return std::nullopt;
  }
}

}  // namespace

int ShowCmdOf(TWindowState state) {
  switch (state) {
    case TWindowState::wsMinimized:
      return 7;
    case TWindowState::wsMaximized:
      return 3;
    default:
      return 1;
  }
}

TWindowState WindowStateOf(int showCmd) {
  if (showCmd == 3) return TWindowState::wsMaximized;
  if (showCmd == 7) return TWindowState::wsMinimized;
  return TWindowState::wsNormal;
}

void TPBShellLink::SetFileName(const std::string& value) {
  if (value == fileName_) return;
  fileName_ = value;
  if (UpperAscii(ExtensionOf(fileName_)) != UpperAscii(kExtension)) fileName_ += kExtension;
  if (UpperAscii(FileNamePart(fileName_)) == UpperAscii(kExtension)) fileName_.clear();
}

std::string TPBShellLink::LinkPath() const {
  if (shellFolder_ == TShellFolder::sfNone || fileName_.empty()) return fileName_;
  const std::optional<std::string> folder = ShellFolderPath(shellFolder_);
  return folder ? *folder + '/' + FileNamePart(fileName_) : std::string();
}

std::string TPBShellLink::EntryText() const {
  // The entry must have a name; without a description it is the file's own.
  const std::string base = FileNamePart(fileName_);
  const std::string name = description_.empty() ? base.substr(0, base.rfind('.')) : description_;
  for (const std::string* text : {&name, &workingDir_, &target_, &arguments_, &fileIcon_.FileName}) {
    if (text->size() > kMaxStringBytes || !FitsDesktopEntry(*text)) throw EPBShellLink(kWriteError);
  }
  return DesktopEntryText({.Name = name,
                           .Comment = description_,
                           .Path = workingDir_,
                           .Program = target_,
                           .Argument = arguments_,
                           .Icon = fileIcon_.FileName.empty() ? kDefaultIcon : fileIcon_.FileName});
}

void TPBShellLink::SaveLink() const {
  const std::string text = EntryText();
  const std::string path = LinkPath();
  if (path.empty()) throw EPBShellLink(kWriteError);
  try {
    WriteFileAtomically(path, text);
  } catch (const std::system_error&) {
    throw EPBShellLink(kWriteError);
  }
}
