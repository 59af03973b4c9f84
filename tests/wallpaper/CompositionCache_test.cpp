#include "wallpaper/CompositionCache.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "wallpaper/Compositions.h"

namespace {

const QSize kScreen(800, 600);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const DispObj kSpecials[] = {DispObj::MirrorTile, DispObj::BrickTile, DispObj::RatioStretch, DispObj::DoubleTile};

QImage Picture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x, y, 7));
  return image;
}

// Counts the compositions through the busy cursor: every composition runs in a busy
// section of its own, and a cache hit starts none.
class CompositionCacheTest : public ::testing::Test {
 protected:
  const QImage& Ask(const std::string& name, DispObj code, QRgb fill = kBlack, const QImage& picture = Picture(5, 4),
                    QSize screen = kScreen) {
    return cache_.CurrSpecial(name, picture, code, fill, screen, busy_);
  }

  int composed_ = 0;
  TBusyCursor busy_{[this](bool busy) { composed_ += busy; }};
  TCompositionCache cache_;
};

TEST_F(CompositionCacheTest, SameKeyComposesOnceWhateverTheScreen) {
  for (DispObj code : kSpecials) {
    composed_ = 0;
    const QImage first = Ask("/pics/a.jpg", code);
    const QImage& second = Ask("/pics/a.jpg", code, kBlack, Picture(5, 4), {1280, 1024});
    EXPECT_EQ(composed_, 1) << ToInt(code);
    EXPECT_EQ(first.cacheKey(), second.cacheKey());
    EXPECT_EQ(busy_.Count(), 0);
  }
}

TEST_F(CompositionCacheTest, EachPartOfTheKeyRecomposes) {
  for (DispObj code : kSpecials) {
    Ask("/pics/a.jpg", code);
    composed_ = 0;
    Ask("/pics/a.jpg", code, kRed);
    Ask("/pics/b.jpg", code, kRed);
    Ask("/pics/b.jpg", code == DispObj::DoubleTile ? DispObj::MirrorTile : DispObj::DoubleTile, kRed);
    EXPECT_EQ(composed_, 3) << ToInt(code);
  }
}

// The same file decoded reduced for a stretch and then whole is two pictures.
TEST_F(CompositionCacheTest, SourceDecodedAtAnotherSizeRecomposes) {
  for (DispObj code : kSpecials) {
    Ask("/pics/a.jpg", code, kBlack, Picture(5, 4));
    composed_ = 0;
    const QImage& whole = Ask("/pics/a.jpg", code, kBlack, Picture(10, 8));
    EXPECT_EQ(composed_, 1) << ToInt(code);
    EXPECT_EQ(whole.size(), ComposeSpecial(Picture(10, 8), code, kBlack, kScreen).size()) << ToInt(code);
  }
}

TEST_F(CompositionCacheTest, ResultIsTheLayoutOfTheCurrentPicture) {
  const QImage picture = Picture(5, 4);
  EXPECT_EQ(Ask("a", DispObj::MirrorTile, kBlack, picture), BuildMirrorTile(picture));
  EXPECT_EQ(Ask("a", DispObj::BrickTile, kBlack, picture), BuildBrickTile(picture));
  EXPECT_EQ(Ask("a", DispObj::DoubleTile, kBlack, picture), BuildDoubleTile(picture));
  EXPECT_EQ(Ask("a", DispObj::RatioStretch, kRed, picture), BuildRatioStretch(picture, kScreen, kRed));
}

TEST_F(CompositionCacheTest, UntrimmedNamesNeverMatchTheirKey) {
  for (const char* name : {"/pics/a.jpg ", " /pics/a.jpg", "/pics/a.jpg\t"}) {
    composed_ = 0;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Ask(name, DispObj::BrickTile).size(), QSize(5, 8));
    EXPECT_EQ(composed_, 3) << name;
  }
}

TEST_F(CompositionCacheTest, EmptyNameOrPlainMethodGivesEmptyBitmap) {
  for (int code = -1; code <= 6; ++code) EXPECT_TRUE(Ask("", ToDispObj(code), kRed).isNull()) << code;
  for (DispObj code : {DispObj::Tile, DispObj::Center, DispObj::Stretch})
    EXPECT_TRUE(Ask("/pics/a.jpg", code).isNull()) << ToInt(code);
}

TEST_F(CompositionCacheTest, InitialKeyIsEmptyNameTileAndBlack) {
  EXPECT_TRUE(Ask("", DispObj::Tile, kBlack).isNull());
  EXPECT_EQ(composed_, 0);
}

TEST_F(CompositionCacheTest, FailedCompositionLeavesNoKeyBehind) {
  const QImage huge(16384, 1, QImage::Format_RGB32);
  Ask("/pics/a.jpg", DispObj::MirrorTile);
  composed_ = 0;
  for (int i = 0; i < 2; ++i) EXPECT_THROW(Ask("/pics/huge.jpg", DispObj::DoubleTile, kBlack, huge), TCompositionError);
  EXPECT_EQ(composed_, 2);
  EXPECT_EQ(busy_.Count(), 0);
  EXPECT_TRUE(cache_.ComposedBitmap().isNull());
  // The bitmap of the earlier key is gone, so asking for it composes it again.
  EXPECT_EQ(Ask("/pics/a.jpg", DispObj::MirrorTile).size(), QSize(8, 6));
  EXPECT_EQ(composed_, 3);
}

TEST_F(CompositionCacheTest, ClearFreesTheBitmapAndForgetsTheKey) {
  Ask("/pics/a.jpg", DispObj::DoubleTile);
  cache_.Clear();
  EXPECT_TRUE(cache_.ComposedBitmap().isNull());
  EXPECT_EQ(Ask("/pics/a.jpg", DispObj::DoubleTile).size(), QSize(10, 8));
  EXPECT_EQ(composed_, 2);
}

TEST(TrimName, RemovesBlanksAndControlCharactersAtBothEnds) {
  struct Row {
    std::string in;
    std::string out;
  };
  const Row rows[] = {
      {"  a b  ", "a b"},
      {"\t\r\na.jpg\x01", "a.jpg"},
      {"   ", ""},
      {"", ""},
      {"\x7F"
       "a",
       "\x7F"
       "a"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xA0x\xA0", "\xA0x\xA0"},
  };
  for (const Row& row : rows) EXPECT_EQ(TrimName(row.in), row.out) << row.in;
}

}  // namespace
