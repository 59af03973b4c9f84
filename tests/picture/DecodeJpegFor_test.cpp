#include <gtest/gtest.h>

#include "picture/JpegDecoder.h"
#include "picture/PictureLoader.h"
#include "picture/PictureTestTools.h"

namespace {

// The 70x46 test pictures decoded for a stretch: reduced exactly as djpeg scales them, then
// averaged to the size on the screen; whole, pixel for pixel as without a target, when the
// target is not smaller.
struct TargetCase {
  const char* file;
  TDecodeTarget target;
  const char* djpegScale;  // nullptr: the whole picture
  QSize decoded;
};

class DecodeJpegForTable : public ::testing::TestWithParam<TargetCase> {};

TEST_P(DecodeJpegForTable, MatchesDjpeg) {
  const TargetCase& c = GetParam();
  const std::string path = DataFile(c.file);
  const TScaledPicture scaled = DecodeJpegFor(path, c.target);
  EXPECT_EQ(scaled.fileSize, QSize(70, 46));
  EXPECT_EQ(scaled.picture.size(), c.decoded);
  QImage expected = c.djpegScale
                        ? ReferenceDecode("djpeg", {"-scale", c.djpegScale, "-pnm", QString::fromStdString(path)})
                        : DecodeJpeg(path);
  ASSERT_FALSE(expected.isNull());
  if (expected.size() != c.decoded)
    expected = expected.scaled(c.decoded, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_TRUE(SamePixels(scaled.picture, expected));
}

INSTANTIATE_TEST_SUITE_P(Files, DecodeJpegForTable,
                         ::testing::Values(TargetCase{"ok/baseline.jpg", {{70, 46}, false}, nullptr, {70, 46}},
                                           TargetCase{"ok/baseline.jpg", {{640, 480}, false}, nullptr, {70, 46}},
                                           TargetCase{"ok/baseline.jpg", {{69, 46}, false}, nullptr, {70, 46}},
                                           TargetCase{"ok/baseline.jpg", {{30, 20}, false}, "4/8", {30, 20}},
                                           TargetCase{"ok/baseline.jpg", {{9, 6}, false}, "1/8", {9, 6}},
                                           TargetCase{"ok/baseline.jpg", {{40, 40}, true}, "5/8", {40, 27}},
                                           TargetCase{"ok/progressive.jpg", {{26, 17}, false}, "3/8", {26, 17}},
                                           TargetCase{"ok/grey.jpg", {{30, 20}, false}, "4/8", {30, 20}},
                                           TargetCase{"ok/cmyk.jpg", {{30, 20}, false}, "4/8", {30, 20}},
                                           TargetCase{"ok/444.jpg", {{50, 10}, false}, "6/8", {50, 10}}));

// Bitmaps and GIF files are loaded whole, as LoadPicture loads them.
TEST(LoadPictureFor, BitmapsAndGifWhole) {
  for (const char* file : {"ok/rose24.bmp", "ok/rose.gif"}) {
    const std::string path = DataFile(file);
    const QImage whole = LoadPicture(path);
    const TScaledPicture loaded = LoadPictureFor(path, {{4, 4}, false});
    EXPECT_EQ(loaded.fileSize, whole.size()) << file;
    EXPECT_TRUE(SamePixels(loaded.picture, whole)) << file;
  }
}

// PNG and WebP are decoded for the target, as DecodeStillPictureFor decodes them.
TEST(LoadPictureFor, PngAndWebpForTheTarget) {
  for (const char* file : {"ok/rose.png", "ok/rose.webp"}) {
    const std::string path = DataFile(file);
    for (const TDecodeTarget& target : {TDecodeTarget{{30, 20}}, TDecodeTarget{{30, 20}, false, DecodeUse::Centred}}) {
      const TScaledPicture loaded = LoadPictureFor(path, target);
      EXPECT_EQ(loaded.fileSize, QSize(70, 46)) << file;
      EXPECT_EQ(loaded.picture.size(), QSize(30, 20)) << file;
      EXPECT_TRUE(SamePixels(loaded.picture, DecodeStillPictureFor(path, target).picture)) << file;
    }
  }
}

TEST(LoadPictureFor, UndecodablePicturesAreEmpty) {
  for (const char* file : {"missing.jpg", "bad/truncated.png", "bad/truncated.webp", "missing.webp"}) {
    const TScaledPicture loaded = LoadPictureFor(DataFile(file), {{4, 4}, false});
    EXPECT_TRUE(loaded.picture.isNull()) << file;
    EXPECT_TRUE(loaded.fileSize.isEmpty()) << file;
  }
}

}  // namespace
