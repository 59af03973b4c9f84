// The line rules of the INI text: how file bytes become lines, which lines open a
// section, and where a line's key ends.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

// Splits bytes into lines at CR LF, a lone CR or a lone LF. Reading stops at the first
// NUL byte; a leading UTF-8 byte order mark is skipped. Empty lines and lines that are
// exactly the end-of-file mark 0x1A are dropped. The views point into bytes.
std::vector<std::string_view> SplitIniLines(std::string_view bytes);

// The name between the brackets when the line opens a section ("[" first, "]" last),
// untrimmed; nothing otherwise.
std::optional<std::string_view> IniSectionName(std::string_view line);

// The text before the line's first "=", untrimmed; nothing when the line has no "=".
std::optional<std::string_view> IniLineKey(std::string_view line);
