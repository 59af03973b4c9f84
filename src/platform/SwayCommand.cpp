#include "platform/SwayCommand.h"

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == ' ') {
      out += "\"\\ \"";
      continue;
    }
    if (c == '\\' || c == '"' || c == '$' || c == '`') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string SwayQuoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\"'\"'") : std::string(1, c);
  return out + "'";
}

}  // namespace

const char* SwayBackgroundMode(WallpaperLayout layout) {
  switch (layout) {
    case WallpaperLayout::Tile:
      return "tile";
    case WallpaperLayout::Stretch:
      return "stretch";
    case WallpaperLayout::Center:
      break;
  }
  return "center";
}

std::string SwayBackgroundCommand(const WallpaperValues& values) {
  if (values.file.empty()) return "output * bg #000000 solid_color";
  if (values.file.find_first_of(std::string("\n\r\0", 3)) != std::string::npos)
    ThrowBackendError("sway", DesktopFailure::FileName, "it holds a line break");
  return "output * bg " + SwayQuoted(ShellQuoted(values.file)) + " " + SwayBackgroundMode(values.layout);
}
