#include "config/IniText.h"

#include <algorithm>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr char kEndOfFileMark = '\x1A';

void KeepLine(std::vector<std::string_view>& lines, std::string_view line) {
  if (line.empty() || (line.size() == 1 && line[0] == kEndOfFileMark)) return;
  lines.push_back(line);
}

}  // namespace

std::vector<std::string_view> SplitIniLines(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());

  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    if (bytes[pos] != '\r' && bytes[pos] != '\n') continue;
    KeepLine(lines, bytes.substr(start, pos - start));
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
    start = pos + 1;
  }
  KeepLine(lines, bytes.substr(std::min(start, bytes.size())));
  return lines;
}

std::optional<std::string_view> IniSectionName(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return line.substr(1, line.size() - 2);
}

std::optional<std::string_view> IniLineKey(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return line.substr(0, equals);
}
