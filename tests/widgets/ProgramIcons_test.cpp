#include "widgets/ProgramIcons.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool HasOpaquePixels(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255) return true;
  return false;
}

TEST(ProgramIcons, EveryMethodHasItsOwnPictureAtBothSizes) {
  for (int size : {16, 32}) {
    std::vector<QImage> pictures;
    for (int code = 0; code < DispObjCount; ++code) {
      const QImage picture = DrawDispMethodIcon(ToDispObj(code), size);
      ASSERT_EQ(picture.size(), QSize(size, size)) << code;
      EXPECT_TRUE(HasOpaquePixels(picture)) << code;
      for (std::size_t other = 0; other < pictures.size(); ++other)
        EXPECT_NE(picture, pictures[other]) << size << ": " << code << " looks like " << other;
      pictures.push_back(picture);
    }
  }
  EXPECT_FALSE(HasOpaquePixels(DrawDispMethodIcon(DispObj::None, 16)));
}

TEST(ProgramIcons, LargePicturesKeepTheSmallOnesLayout) {
  // Each 2 x 2 block of the large picture holds the colour of the small one's pixel in
  // at least one of its four pixels: same drawing, twice the scale.
  for (int code = 0; code < DispObjCount; ++code) {
    const QImage small = DrawDispMethodIcon(ToDispObj(code), 16);
    const QImage large = DrawDispMethodIcon(ToDispObj(code), 32);
    int matching = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const QRgb want = small.pixel(x, y);
        bool found = false;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) found = found || large.pixel(2 * x + dx, 2 * y + dy) == want;
        matching += found ? 1 : 0;
      }
    EXPECT_GE(matching, 240) << code;
  }
}

TEST(ProgramIcons, RunningAndPausedDiffer) {
  const QImage running = DrawTrayIcon(TrayState::Running);
  const QImage paused = DrawTrayIcon(TrayState::Paused);
  EXPECT_EQ(running.size(), QSize(16, 16));
  EXPECT_EQ(paused.size(), QSize(16, 16));
  EXPECT_TRUE(HasOpaquePixels(running));
  EXPECT_NE(running, paused);
}

TEST(ProgramIcons, MarksShowOnlyForAKnownState) {
  EXPECT_TRUE(HasOpaquePixels(DrawMarkIcon(0)));
  EXPECT_TRUE(HasOpaquePixels(DrawMarkIcon(1)));
  EXPECT_NE(DrawMarkIcon(0), DrawMarkIcon(1));
  EXPECT_FALSE(HasOpaquePixels(DrawMarkIcon(-1)));
}

}  // namespace
