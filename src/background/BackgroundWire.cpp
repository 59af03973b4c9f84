#include "background/BackgroundWire.h"

#include <charconv>

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return parts;
}

std::optional<std::uint32_t> Number(std::string_view text, std::uint32_t most) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty() || value > most) return std::nullopt;
  return value;
}

bool Plain(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
}

std::optional<PictureHeader> ParsePicture(const std::vector<std::string_view>& words, std::string& error) {
  if (words.size() != 5 || words[0] != "picture") {
    error = "a picture line is not \"picture <output> <width> <height> <stride>\"";
    return std::nullopt;
  }
  const std::optional<std::string> name = DecodeName(words[1]);
  const auto width = Number(words[2], kMaxPictureSide);
  const auto height = Number(words[3], kMaxPictureSide);
  const auto stride = Number(words[4], kMaxPictureSide * 4);
  if (!name || !width || !height || !stride || *width == 0 || *height == 0) {
    error = "a picture's output name or size is not valid";
    return std::nullopt;
  }
  if (*stride < *width * 4 || *stride % 4 != 0) {
    error = "a picture's stride does not hold its rows";
    return std::nullopt;
  }
  return PictureHeader{*name, *width, *height, *stride};
}

}  // namespace

std::optional<Request> ParseRequest(std::string_view packet, std::size_t files, std::string& error) {
  if (!packet.empty() && packet.back() == '\n') packet.remove_suffix(1);
  const std::vector<std::string_view> lines = Split(packet, '\n');
  if (lines.empty()) {
    error = "an empty request";
    return std::nullopt;
  }
  const std::vector<std::string_view> head = Split(lines[0], ' ');
  const std::size_t pictures = lines.size() - 1;
  if (head.size() == 1 && (head[0] == "outputs" || head[0] == "status")) {
    if (pictures != 0 || files != 0) {
      error = "a request without pictures came with pictures";
      return std::nullopt;
    }
    if (head[0] == "outputs") return OutputsRequest{};
    return StatusRequest{};
  }
  if (head.size() != 2 || head[0] != "show") {
    error = "an unknown request";
    return std::nullopt;
  }
  ShowRequest show;
  const auto fade = Number(head[1], kMaxFadeMs);
  if (!fade) {
    error = "the fade is not a number of milliseconds up to " + std::to_string(kMaxFadeMs);
    return std::nullopt;
  }
  show.fadeMs = *fade;
  if (pictures == 0 || pictures > static_cast<std::size_t>(kMaxPictures)) {
    error = "a show request holds 1 to " + std::to_string(kMaxPictures) + " pictures";
    return std::nullopt;
  }
  if (files != pictures) {
    error = std::to_string(pictures) + " pictures came with " + std::to_string(files) + " files";
    return std::nullopt;
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::optional<PictureHeader> picture = ParsePicture(Split(lines[i], ' '), error);
    if (!picture) return std::nullopt;
    show.pictures.push_back(*picture);
  }
  return show;
}

std::string OutputsAnswer(const std::vector<OutputSize>& outputs) {
  std::string text = "outputs\n";
  for (const OutputSize& output : outputs)
    text += EncodeName(output.name) + ' ' + std::to_string(output.width) + ' ' + std::to_string(output.height) + '\n';
  return text;
}

std::string EncodeName(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : name) {
    if (Plain(c)) {
      text += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    text += '%';
    text += kHex[byte >> 4];
    text += kHex[byte & 15];
  }
  return text;
}

std::optional<std::string> DecodeName(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      if (!Plain(text[i])) return std::nullopt;
      name += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 2 >= text.size()) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
    if (error != std::errc() || end != text.data() + i + 3) return std::nullopt;
    name += static_cast<char>(value);
    i += 2;
  }
  return name;
}

std::string SocketPath(std::string_view runtimeFolder, std::string_view display) {
  std::string name(display);
  for (char& c : name)
    if (c == '/') c = '_';
  return std::string(runtimeFolder) + "/tesserine-background-" + name;
}
