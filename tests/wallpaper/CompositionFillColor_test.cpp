#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "wallpaper/FillColor.h"

namespace {

TEST(FillColor, StandardColorsHaveTheirUsualRgb) {
  struct Row {
    std::string_view name;
    QRgb rgb;
  };
  const Row rows[] = {
      {"Black", qRgb(0, 0, 0)},       {"Maroon", qRgb(128, 0, 0)},    {"Green", qRgb(0, 128, 0)},
      {"Olive", qRgb(128, 128, 0)},   {"Navy", qRgb(0, 0, 128)},      {"Purple", qRgb(128, 0, 128)},
      {"Teal", qRgb(0, 128, 128)},    {"Gray", qRgb(128, 128, 128)},  {"Silver", qRgb(192, 192, 192)},
      {"Red", qRgb(255, 0, 0)},       {"Lime", qRgb(0, 255, 0)},      {"Yellow", qRgb(255, 255, 0)},
      {"Blue", qRgb(0, 0, 255)},      {"Fuchsia", qRgb(255, 0, 255)}, {"Aqua", qRgb(0, 255, 255)},
      {"White", qRgb(255, 255, 255)},
  };
  ASSERT_EQ(std::size(rows), StandardColors.size());
  for (std::size_t i = 0; i < StandardColors.size(); ++i) {
    EXPECT_EQ(StandardColors[i].name, rows[i].name);
    EXPECT_EQ(ColorFromTColor(StandardColors[i].tcolor), rows[i].rgb) << rows[i].name;
  }
}

TEST(FillColor, OtherValuesMapToFixedColors) {
  struct Row {
    std::int32_t tcolor;
    QRgb rgb;
  };
  const Row rows[] = {
      {0x00123456, qRgb(0x56, 0x34, 0x12)},
      {0x02FF0000, qRgb(0, 0, 255)},  // palette-relative: the low bytes are still the colour
      {0x1FFFFFFF, qRgb(255, 255, 255)},
      {static_cast<std::int32_t>(0xFF00000Fu), qRgb(192, 192, 192)},  // button face
      {-16, qRgb(192, 192, 192)},
      {static_cast<std::int32_t>(0xFF000001u), qRgb(0, 128, 128)},  // desktop
      {-2, qRgb(0, 128, 128)},
      {static_cast<std::int32_t>(0xFF000018u), qRgb(255, 255, 225)},  // tooltip background
      {-25, qRgb(255, 255, 225)},
      {static_cast<std::int32_t>(0xFF000019u), qRgb(0, 0, 0)},
      {-26, qRgb(0, 0, 0)},
      {INT32_MIN, qRgb(0, 0, 0)},
  };
  for (const Row& row : rows) EXPECT_EQ(ColorFromTColor(row.tcolor), row.rgb) << std::hex << row.tcolor;
}

}  // namespace
