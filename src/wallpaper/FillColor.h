// The fill colour of the ratio-stretch layout. The configuration stores it as a 32-bit
// colour value laid out 0x00BBGGRR; negative values name a system colour. ColorFromTColor
// turns either into the RGB value the compositions paint with.
#pragma once

#include <QRgb>
#include <array>
#include <cstdint>
#include <string_view>

struct NamedColor {
  std::string_view name;
  std::int32_t tcolor;
};

// The sixteen standard colours in the order the colour drop-down lists them.
inline constexpr std::array<NamedColor, 16> StandardColors = {{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

// Opaque RGB of a stored colour value. A non-negative value gives its low three bytes
// (red lowest). A negative value is a system colour, written either as 0xFF0000nn or as
// -(nn + 1) with nn a system-colour index 0 (scroll bar) to 24 (tooltip background); it
// gives that index's colour in the classic grey desktop scheme (button face silver, window
// white, desktop teal, highlight navy, ...), independent of the running desktop's theme so
// that a wallpaper composes the same everywhere. An unknown system colour gives black.
QRgb ColorFromTColor(std::int32_t tcolor);
