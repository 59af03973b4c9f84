#include "platform/desktop/sway/SwayCommand.h"

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

namespace {

std::string OutputBackground(const std::string& output, const std::string& file, WallpaperLayout layout) {
  if (file.empty()) return "output " + output + " bg #000000 solid_color";
  if (file.find_first_of(std::string("\n\r\0", 3)) != std::string::npos)
    ThrowBackendError("sway", DesktopFailure::FileName, "it holds a line break");
  return "output " + output + " bg " + SwayQuoted(ShellQuoted(file)) + " " + SwayBackgroundMode(layout);
}

}  // namespace

std::string SwayBackgroundCommand(const WallpaperValues& values) {
  return OutputBackground("*", values.file, values.layout);
}

std::string SwayMonitorsCommand(const std::vector<MonitorWallpaper>& monitors) {
  std::string command;
  for (const MonitorWallpaper& monitor : monitors) {
    if (!command.empty()) command += "; ";
    // Each picture is its output's size; stretch also fills an output whose scale differs.
    command += OutputBackground(SwayQuoted(monitor.output), monitor.file, WallpaperLayout::Stretch);
  }
  return command;
}
