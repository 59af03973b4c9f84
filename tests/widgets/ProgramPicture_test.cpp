#include "widgets/ProgramPicture.h"

#include <gtest/gtest.h>

#include <QSet>
#include <functional>

namespace {

int ColourCount(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  return int(colours.size());
}

int PixelsWithAlphaAbove(const QImage& image, int alpha) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > alpha ? 1 : 0;
  return count;
}

struct PictureCase {
  const char* name;
  std::function<QImage()> draw;
  QSize size;
};

TEST(SplashPictures, EachPictureHasItsSizeAndIsNotBlank) {
  const PictureCase cases[] = {
      {"program picture", DrawProgramPicture, QSize(262, 70)},
      {"About glyph", [] { return DrawTabGlyph(0); }, QSize(16, 16)},
      {"Schedule glyph", [] { return DrawTabGlyph(1); }, QSize(16, 16)},
      {"narrow strip", [] { return DrawBottomStrip(100); }, QSize(100, 69)},
      {"window-wide strip", [] { return DrawBottomStrip(528); }, QSize(528, 69)},
  };
  for (const PictureCase& c : cases) {
    const QImage picture = c.draw();
    EXPECT_EQ(picture.size(), c.size) << c.name;
    EXPECT_GT(ColourCount(picture), 1) << c.name;
  }
}

TEST(SplashPictures, TabGlyphsDifferAndUnknownIndexesAreEmpty) {
  EXPECT_NE(DrawTabGlyph(0), DrawTabGlyph(1));
  for (int index : {-1, 2, 4}) {
    const QImage glyph = DrawTabGlyph(index);
    EXPECT_EQ(glyph.size(), QSize(16, 16)) << index;
    EXPECT_EQ(PixelsWithAlphaAbove(glyph, 0), 0) << index;
  }
}

TEST(SplashPictures, BottomStripStaysQuietBehindTheButtons) {
  const QImage strip = DrawBottomStrip(528);
  const int pixels = strip.width() * strip.height();
  EXPECT_GT(PixelsWithAlphaAbove(strip, 0), 0);
  EXPECT_LT(PixelsWithAlphaAbove(strip, 0), pixels / 10);
  EXPECT_LT(PixelsWithAlphaAbove(strip, 160), strip.width() + 1);
  // The buttons stand from 88 to 411 and from 16 to 41 inside the strip.
  EXPECT_EQ(PixelsWithAlphaAbove(strip.copy(88, 16, 323, 25), 0), 0);
  EXPECT_TRUE(DrawBottomStrip(0).isNull());
}

}  // namespace
