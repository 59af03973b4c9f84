// Conversion of an INI value to a 32-bit integer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A value starting "0x" or "0X" has its rest (at most 255 characters) read as
// hexadecimal. Otherwise: an optional sign, then decimal digits, or hexadecimal digits
// after "$", "0x" or "0X". Decimal must lie in the 32-bit signed range; hexadecimal is a
// 32-bit pattern (up to FFFFFFFF, so 0xFFFFFFFF is -1). Anything else does not convert.
std::optional<std::int32_t> IniValueToInt(std::string_view value);
