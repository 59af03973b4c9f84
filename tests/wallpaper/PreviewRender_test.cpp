#include "wallpaper/PreviewRender.h"

#include <gtest/gtest.h>

#include <QImage>
#include <vector>

namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);

QImage Filled(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Every pixel its own colour, so a misplaced pixel shows.
QImage Distinct(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(40 * x + 20, 40 * y + 20, 99));
  return image;
}

// Left half red, right half blue.
QImage RedBlue(int width, int height) {
  QImage image = Filled(width, height, kRed);
  for (int y = 0; y < height; ++y)
    for (int x = width / 2; x < width; ++x) image.setPixel(x, y, kBlue);
  return image;
}

TEST(PreviewRender, NothingToShowIsTealEverywhere) {
  const struct {
    const char* name;
    QImage source, composed;
    DispObj method;
  } rows[] = {
      {"empty source", QImage(), Filled(4, 4, kRed), DispObj::MirrorTile},
      {"empty composed", Filled(4, 4, kRed), QImage(), DispObj::BrickTile},
      {"no method", Filled(4, 4, kRed), Filled(4, 4, kRed), DispObj::None},
  };
  for (const auto& row : rows)
    EXPECT_EQ(RenderPreview(row.source, row.composed, row.method, {236, 177}, {1024, 768}),
              Filled(236, 177, PreviewTeal))
        << row.name;
}

TEST(PreviewRender, CenterShowsTheSourceInTheCentredRectangleOnTeal) {
  // 512 x 384 on 1024 x 768 becomes 118 x 88 at (59, 44); the composed picture is ignored.
  const QImage out =
      RenderPreview(Filled(512, 384, kRed), Filled(8, 8, kBlue), DispObj::Center, {236, 177}, {1024, 768});
  QImage expected = Filled(236, 177, PreviewTeal);
  for (int y = 44; y < 44 + 88; ++y)
    for (int x = 59; x < 59 + 118; ++x) expected.setPixel(x, y, kRed);
  EXPECT_EQ(out, expected);
}

TEST(PreviewRender, TiledLayoutsRepeatTheFirstCellOverTheBox) {
  const QImage threeByTwo = Distinct(3, 2);
  const struct {
    const char* name;
    DispObj method;
    QImage source, composed;
    QSize screen;
    QImage cell;  // what every cell shows
  } rows[] = {
      {"1:1, partial cells at the edges", DispObj::Tile, threeByTwo, Filled(2, 2, kRed), {7, 5}, threeByTwo},
      // A screen of twice the box halves the 4 x 2 picture into a 2 x 1 cell.
      {"scaled down", DispObj::Tile, RedBlue(4, 2), QImage(), {14, 10}, RedBlue(2, 1)},
      {"1 x 1 cells of a tiny picture", DispObj::Tile, Filled(2, 2, kBlue), QImage(), {1024, 768}, Filled(1, 1, kBlue)},
      {"composed picture", DispObj::DoubleTile, Filled(9, 9, kRed), threeByTwo, {7, 5}, threeByTwo},
  };
  for (const auto& row : rows) {
    QImage expected(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) expected.setPixel(x, y, row.cell.pixel(x % row.cell.width(), y % row.cell.height()));
    EXPECT_EQ(RenderPreview(row.source, row.composed, row.method, {7, 5}, row.screen), expected) << row.name;
  }
}

TEST(PreviewRender, StretchCoversTheBox) {
  const QImage green = Filled(1, 1, qRgb(0, 255, 0));
  EXPECT_EQ(RenderPreview(RedBlue(2, 1), green, DispObj::Stretch, {10, 4}, {1024, 768}), RedBlue(10, 4));
  EXPECT_EQ(RenderPreview(green, RedBlue(2, 1), DispObj::RatioStretch, {10, 4}, {1024, 768}), RedBlue(10, 4));
}

}  // namespace
