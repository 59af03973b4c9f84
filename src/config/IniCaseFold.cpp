#include "config/IniCaseFold.h"

#include <QString>
#include <algorithm>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence starting at text[pos], or 0 when the byte
// there does not start one (overlong forms, surrogates and code points past U+10FFFF
// are not well-formed).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  if (at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(at(i))) return 0;
  }
  return length;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiFold(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
  return folded;
}

void AppendUnicodeFold(std::string& out, std::string_view validUtf8) {
  const QByteArray folded =
      QString::fromUtf8(validUtf8.data(), static_cast<qsizetype>(validUtf8.size())).toCaseFolded().toUtf8();
  out.append(folded.constData(), static_cast<std::size_t>(folded.size()));
}

}  // namespace

std::string IniCaseFold(std::string_view text) {
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return AsciiFold(text);

  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t runEnd = pos;
    while (runEnd < text.size()) {
      const std::size_t length = Utf8SequenceLength(text, runEnd);
      if (length == 0) break;
      runEnd += length;
    }
    if (runEnd > pos) {
      AppendUnicodeFold(out, text.substr(pos, runEnd - pos));
      pos = runEnd;
    } else {
      out.push_back(text[pos++]);
    }
  }
  return out;
}
