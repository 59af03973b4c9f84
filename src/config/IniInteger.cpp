#include "config/IniInteger.h"

#include <charconv>
#include <limits>
#include <string>

namespace {

std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base) {
  std::uint64_t magnitude = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, magnitude, base);
  if (digits.empty() || ec != std::errc{} || ptr != end) return std::nullopt;
  return magnitude;
}

bool ConsumeHexPrefix(std::string_view& text) {
  if (text.starts_with('$')) {
    text.remove_prefix(1);
    return true;
  }
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    return true;
  }
  return false;
}

std::optional<std::int32_t> ConvertInt32(std::string_view text) {
  bool negative = false;
  if (text.starts_with('-') || text.starts_with('+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (ConsumeHexPrefix(text)) {
    const auto magnitude = ParseDigits(text, 16);
    if (!magnitude || *magnitude > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    const auto pattern = static_cast<std::uint32_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
  }
  const auto magnitude = ParseDigits(text, 10);
  const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  if (!magnitude || *magnitude > limit) return std::nullopt;
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::optional<std::int32_t> IniValueToInt(std::string_view value) {
  constexpr std::size_t kMaxHexRest = 255;
  if (value.starts_with("0x") || value.starts_with("0X")) {
    return ConvertInt32(std::string("$").append(value.substr(2, kMaxHexRest)));
  }
  return ConvertInt32(value);
}
