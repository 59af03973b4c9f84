#include "wallpaper/FillColor.h"

namespace {

// System colours 0 to 24 of the classic grey scheme, as 0xRRGGBB.
constexpr std::array<QRgb, 25> kSystemColors = {
    0xC0C0C0,  // scroll bar
    0x008080,  // desktop
    0x000080,  // active caption
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application workspace
    0x000080,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3D dark shadow
    0xC0C0C0,  // 3D light
    0x000000,  // tooltip text
    0xFFFFE1,  // tooltip background
};

constexpr std::int32_t kSystemFlag = static_cast<std::int32_t>(0xFF000000u);

QRgb SystemColor(std::int32_t tcolor) {
  const std::int64_t index = (tcolor & ~0xFF) == kSystemFlag ? tcolor & 0xFF : -std::int64_t{tcolor} - 1;
  if (index < 0 || index >= static_cast<std::int64_t>(kSystemColors.size())) return qRgb(0, 0, 0);
  return 0xFF000000u | kSystemColors[static_cast<std::size_t>(index)];
}

}  // namespace

QRgb ColorFromTColor(std::int32_t tcolor) {
  if (tcolor < 0) return SystemColor(tcolor);
  return qRgb(tcolor & 0xFF, (tcolor >> 8) & 0xFF, (tcolor >> 16) & 0xFF);
}
