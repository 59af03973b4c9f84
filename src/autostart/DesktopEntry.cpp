#include "autostart/DesktopEntry.h"

#include <QString>

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

std::string KeyLine(std::string_view key, std::string_view value) {
  return std::string(key) + '=' + EscapeEntryValue(value) + '\n';
}

}  // namespace

bool FitsDesktopEntry(std::string_view text) {
  for (const unsigned char c : text) {
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
  }
  // Invalid sequences decode to U+FFFD, so only valid UTF-8 comes back unchanged.
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString() == text;
}

std::string QuoteExecArgument(std::string_view argument) {
  const bool quoted = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos ||
                      argument.find('\r') != std::string_view::npos;
  std::string out = quoted ? "\"" : "";
  for (const char c : argument) {
    if (quoted && kEscapedInQuotes.find(c) != std::string_view::npos) out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  if (quoted) out += '"';
  return out;
}

std::string EscapeEntryValue(std::string_view value) {
  std::string out;
  std::size_t i = 0;
  for (; i < value.size() && value[i] == ' '; ++i) out += "\\s";
  for (; i < value.size(); ++i) {
    switch (value[i]) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += value[i];
    }
  }
  return out;
}

std::string DesktopEntryText(const TDesktopEntry& entry) {
  std::string exec = QuoteExecArgument(entry.Program);
  if (!entry.Argument.empty()) exec += ' ' + QuoteExecArgument(entry.Argument);
  return "[Desktop Entry]\nType=Application\n" + KeyLine("Name", entry.Name) + KeyLine("Comment", entry.Comment) +
         KeyLine("Path", entry.Path) + KeyLine("Exec", exec) + KeyLine("Icon", entry.Icon);
}
