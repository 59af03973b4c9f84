#include "config/IniText.h"

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
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      KeepLine(lines, bytes.substr(start));
      break;
    }
    KeepLine(lines, bytes.substr(start, end - start));
    const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
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
