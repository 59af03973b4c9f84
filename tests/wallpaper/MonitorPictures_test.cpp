// The pictures made for several monitors: each method on an area of a monitor's size, the
// span of a layout and each monitor's part of it, and the canvas of a whole layout.
#include "wallpaper/MonitorPictures.h"

#include <gtest/gtest.h>

#include "wallpaper/Compositions.h"
#include "wallpaper/WallpaperApply.h"

namespace {

// 2 x 2 quarters: red, green / blue, white.
QImage Quarters() {
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 255, 0));
  picture.setPixel(0, 1, qRgb(0, 0, 255));
  picture.setPixel(1, 1, qRgb(255, 255, 255));
  return picture;
}

struct FillCase {
  const char* name;
  DispObj method;
  QSize area;
  std::vector<std::pair<QPoint, QRgb>> probes;
};

class FillAreaTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillAreaTest, EachMethodFillsTheMonitorsArea) {
  const FillCase& c = GetParam();
  const QImage filled = FillArea(Quarters(), c.method, c.area, qRgb(9, 9, 9));
  ASSERT_EQ(filled.size(), c.area);
  for (const auto& [at, colour] : c.probes) EXPECT_EQ(filled.pixel(at), colour) << at.x() << "," << at.y();
}

const QRgb R = qRgb(255, 0, 0), G = qRgb(0, 255, 0), B = qRgb(0, 0, 255), W = qRgb(255, 255, 255), K = qRgb(0, 0, 0),
           F = qRgb(9, 9, 9);

INSTANTIATE_TEST_SUITE_P(
    Methods, FillAreaTest,
    ::testing::Values(
        // Tiles run from the area's own top-left corner.
        FillCase{"tile", DispObj::Tile, {5, 3}, {{{0, 0}, R}, {{2, 0}, R}, {{3, 1}, W}, {{4, 2}, R}}},
        FillCase{"center", DispObj::Center, {6, 4}, {{{0, 0}, K}, {{2, 1}, R}, {{3, 2}, W}, {{5, 3}, K}}},
        FillCase{"stretch", DispObj::Stretch, {4, 6}, {{{0, 0}, R}, {{3, 0}, G}, {{0, 5}, B}, {{3, 5}, W}}},
        // A side of 2 pixels is not mirrored: the quarters are tiled as they are.
        FillCase{"mirror tile", DispObj::MirrorTile, {4, 4}, {{{0, 0}, R}, {{2, 2}, R}, {{3, 3}, W}}},
        FillCase{"double tile", DispObj::DoubleTile, {8, 4}, {{{1, 1}, R}, {{2, 0}, G}, {{3, 3}, W}, {{5, 3}, B}}},
        // A tall area: the ratio canvas widens the picture's height with the fill, then fills it.
        FillCase{"ratio stretch", DispObj::RatioStretch, {2, 4}, {{{0, 0}, F}, {{0, 1}, R}, {{1, 2}, W}, {{1, 3}, F}}}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

TEST(MonitorLayout, SpanPartsAndCanvas) {
  const std::vector<QRect> monitors = {{0, 1, 4, 2}, {4, 0, 2, 4}};
  const QRect span = SpanRect(monitors);
  EXPECT_EQ(span, QRect(0, 0, 6, 4));

  QImage canvas(span.size(), QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) canvas.setPixel(x, y, qRgb(x * 10, y * 10, 0));
  EXPECT_EQ(PartOf(canvas, span, monitors[0]).pixel(0, 0), qRgb(0, 10, 0));
  EXPECT_EQ(PartOf(canvas, span, monitors[1]).size(), QSize(2, 4));
  EXPECT_EQ(PartOf(canvas, span, monitors[1]).pixel(1, 3), qRgb(50, 30, 0));

  const std::vector<QRect> offset = {{10, 21, 4, 2}, {14, 20, 2, 4}};
  EXPECT_EQ(SpanRect(offset), QRect(10, 20, 6, 4));
}

TEST(MonitorLayout, AreasBeyondTheLimitsAreRefused) {
  EXPECT_THROW(FillArea(Quarters(), DispObj::Tile, {40000, 10}, F), TCompositionError);
}

}  // namespace

namespace {

TEST(MonitorFiles, EachMonitorsConvertedBitmapIsNamedAndRecognised) {
  EXPECT_EQ(MonitorConvertFileName("/p/", 0), "/p/Tesserina Convert.BMP");
  EXPECT_EQ(MonitorConvertFileName("/p", 2), "/p/Tesserina Convert 3.BMP");
  const std::pair<const char*, bool> rows[] = {
      {"/p/Tesserina Convert.BMP", true},     {"/p/Tesserina Convert 2.BMP", true},
      {"/p/Tesserina Convert 12.BMP", true},  {"/p/Tesserina Convert 1.BMP", false},
      {"/p/Tesserina Convert 02.BMP", false}, {"/p/Tesserina Convert x.BMP", false},
      {"/q/Tesserina Convert 2.BMP", false},  {"/p/Tesserina Convert 2.bmp", false},
      {"/p/Tesserina Convert .BMP", false}};
  for (const auto& [path, ours] : rows) EXPECT_EQ(IsMonitorConvertFileName("/p/", path), ours) << path;
}

}  // namespace
