#include "platform/desktop/x11/RootPicture.h"

#include <gtest/gtest.h>

#include "support/ExpectedRoot.h"

namespace {

// Every pixel a different colour, so a wrong source pixel shows.
QImage Numbered(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 10, y * 10, 100));
  return image;
}

const QRgb kBlack = qRgb(0, 0, 0);

TEST(ComposeRootPicture, TileRepeatsFromTheTopLeftCorner) {
  const QImage source = Numbered(3, 2);
  const QImage out = ComposeRootPicture(source, WallpaperLayout::Tile, QSize(8, 5));
  ASSERT_EQ(out.size(), QSize(8, 5));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(out.pixel(x, y), source.pixel(x % 3, y % 2)) << x << "," << y;
}

TEST(ComposeRootPicture, CentreOnBlackWithTheOddPixelAfterThePicture) {
  const QImage source = Numbered(3, 2);
  const QImage out = ComposeRootPicture(source, WallpaperLayout::Center, QSize(8, 5));
  // left = floor((8 - 3) / 2) = 2, top = floor((5 - 2) / 2) = 1
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      ASSERT_EQ(out.pixel(x, y), inside ? source.pixel(x - 2, y - 1) : kBlack) << x << "," << y;
    }
}

TEST(ComposeRootPicture, CentreOfALargerPictureCropsItsMiddle) {
  const QImage source = Numbered(9, 6);
  const QImage out = ComposeRootPicture(source, WallpaperLayout::Center, QSize(4, 3));
  // left = floor((4 - 9) / 2) = -3, top = floor((3 - 6) / 2) = -2
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(out.pixel(x, y), source.pixel(x + 3, y + 2)) << x << "," << y;
}

TEST(ComposeRootPicture, StretchRepeatsOrDropsWholePixels) {
  struct Row {
    QSize source;
    QSize screen;
  };
  const Row rows[] = {{{3, 2}, {7, 5}}, {{10, 9}, {4, 3}}, {{1, 1}, {5, 2}}, {{4, 4}, {4, 4}}};
  for (const Row& row : rows) {
    const QImage source = Numbered(row.source.width(), row.source.height());
    const QImage out = ComposeRootPicture(source, WallpaperLayout::Stretch, row.screen);
    ASSERT_EQ(out.size(), row.screen);
    for (int y = 0; y < row.screen.height(); ++y)
      for (int x = 0; x < row.screen.width(); ++x)
        ASSERT_EQ(out.pixel(x, y), source.pixel(x * row.source.width() / row.screen.width(),
                                                y * row.source.height() / row.screen.height()))
            << x << "," << y;
  }
}

TEST(ComposeRootPicture, NoPictureIsABlackScreenInEveryLayout) {
  for (const auto layout : {WallpaperLayout::Tile, WallpaperLayout::Center, WallpaperLayout::Stretch}) {
    const QImage out = ComposeRootPicture(QImage(), layout, QSize(4, 3));
    ASSERT_EQ(out.size(), QSize(4, 3));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) ASSERT_EQ(out.pixel(x, y), kBlack);
  }
}

TEST(ComposeRootPicture, PalettedAndAlphaPicturesGiveOpaqueColours) {
  QImage indexed(2, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
  indexed.setPixel(0, 0, 1);
  indexed.setPixel(1, 0, 0);
  const QImage out = ComposeRootPicture(indexed, WallpaperLayout::Tile, QSize(3, 1));
  EXPECT_EQ(out.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(out.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(out.pixel(2, 0), qRgb(0, 0, 255));
}

// Side by side, one lower and shorter, overlapping ones, one beyond the root, one that is
// the root and none; pictures smaller, larger and of the root's own size, which only a
// single monitor over the whole root shows as it is.
TEST(ComposeRootPicture, EachMonitorGetsItsOwnCentreAndStretch) {
  const std::vector<std::vector<QRect>> setups = {
      {{0, 0, 7, 9}, {7, 2, 6, 5}}, {{0, 0, 13, 9}, {2, 1, 5, 4}}, {{4, 3, 20, 20}}, {{0, 0, 13, 9}}, {},
  };
  for (const QSize size : {QSize(3, 2), QSize(8, 11), QSize(13, 9)}) {
    const QImage source = Numbered(size.width(), size.height());
    for (const auto& monitors : setups)
      for (const auto layout : {WallpaperLayout::Tile, WallpaperLayout::Center, WallpaperLayout::Stretch}) {
        const QImage out = ComposeRootPicture(source, layout, QSize(13, 9), monitors);
        const QImage expected = ExpectedRoot(source, layout, QSize(13, 9), monitors);
        ASSERT_EQ(out, expected) << "layout " << int(layout) << ", picture " << size.width() << "x" << size.height()
                                 << ", " << monitors.size() << " monitors";
      }
  }
}

// The middle of a picture, of its size parity and as large as the largest monitor, lands on
// the root pixel for pixel where the whole picture does; a part of the other parity lands one
// pixel off.
TEST(ComposeRootPicture, CentredPartOfTheSameParityShowsWhatTheWholeDoes) {
  struct Row {
    const char* what;
    QSize whole;
    QRect part;
    std::vector<QRect> monitors;
    bool same;
  };
  const QSize root(40, 30);
  const Row rows[] = {
      {"even margins", {62, 48}, {11, 9, 40, 30}, {}, true},
      {"odd picture", {61, 47}, {10, 8, 41, 31}, {}, true},
      {"two monitors, the largest's part", {61, 47}, {10, 8, 41, 31}, {{0, 0, 25, 30}, {25, 0, 15, 17}}, true},
      {"wider only", {70, 20}, {15, 0, 40, 20}, {}, true},
      {"other parity", {61, 47}, {10, 8, 40, 30}, {}, false},
  };
  for (const Row& row : rows) {
    QImage picture(row.whole, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x * 3, y * 5, (x * y) & 255));
    const QImage fromWhole = ComposeRootPicture(picture, WallpaperLayout::Center, root, row.monitors);
    const QImage fromPart = ComposeRootPicture(picture.copy(row.part), WallpaperLayout::Center, root, row.monitors);
    EXPECT_EQ(fromWhole == fromPart, row.same) << row.what;
  }
}

}  // namespace
