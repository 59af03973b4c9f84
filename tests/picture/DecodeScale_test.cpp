#include "picture/DecodeScale.h"

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
  const char* what;
  QSize picture;
  TDecodeTarget target;
  int eighths;
  QSize decoded;
};

class DecodeScaleTable : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DecodeScaleTable, EighthsAndDecodedSize) {
  const ScaleCase& c = GetParam();
  EXPECT_EQ(DecodeEighths(c.picture, c.target), c.eighths) << c.what;
  EXPECT_EQ(EighthsSize(c.picture, c.eighths), c.decoded) << c.what;
  // The size chosen always covers the size the picture is stretched to, unless it is whole.
  const QSize need = StretchedSize(c.picture, c.target);
  if (c.eighths < 8) {
    EXPECT_GE(c.decoded.width(), need.width()) << c.what;
    EXPECT_GE(c.decoded.height(), need.height()) << c.what;
  }
}

const TDecodeTarget hd{{1920, 1080}, false};
const TDecodeTarget hdRatio{{1920, 1080}, true};

INSTANTIATE_TEST_SUITE_P(
    Sizes, DecodeScaleTable,
    ::testing::Values(
        ScaleCase{"smaller", {800, 600}, hd, 8, {800, 600}}, ScaleCase{"equal", {1920, 1080}, hd, 8, {1920, 1080}},
        ScaleCase{"larger on one axis only", {3000, 1000}, hd, 8, {3000, 1000}},
        ScaleCase{"1.9x", {3648, 2052}, hd, 5, {2280, 1283}}, ScaleCase{"2x", {3840, 2160}, hd, 4, {1920, 1080}},
        ScaleCase{"2x and two pixels short", {3838, 2160}, hd, 5, {2399, 1350}},
        ScaleCase{"8x", {15360, 8640}, hd, 1, {1920, 1080}}, ScaleCase{"9x", {17280, 9720}, hd, 1, {2160, 1215}},
        ScaleCase{"6000x4000 photo", {6000, 4000}, hd, 3, {2250, 1500}},
        ScaleCase{"portrait on a landscape screen", {4000, 6000}, hd, 4, {2000, 3000}},
        ScaleCase{"portrait screen", {6000, 4000}, {{1080, 1920}, false}, 4, {3000, 2000}},
        ScaleCase{"odd sizes round up", {4001, 2999}, {{999, 749}, false}, 2, {1001, 750}},
        ScaleCase{"odd 1/8 rounds up", {15361, 8641}, hd, 1, {1921, 1081}},
        // Ratio stretch: a 6000x4000 photo fits a 1920x1080 screen at 1620x1080.
        ScaleCase{"ratio, landscape", {6000, 4000}, hdRatio, 3, {2250, 1500}},
        // A portrait picture fits at 720x1080: 1/8 would give 750x1125.
        ScaleCase{"ratio, portrait", {6000, 9000}, hdRatio, 1, {750, 1125}},
        ScaleCase{"ratio, wide panorama", {16000, 2000}, hdRatio, 1, {2000, 250}},
        ScaleCase{"ratio, smaller", {1000, 800}, hdRatio, 8, {1000, 800}}));

struct StretchedCase {
  QSize picture;
  TDecodeTarget target;
  QSize stretched;
};

class StretchedSizeTable : public ::testing::TestWithParam<StretchedCase> {};

TEST_P(StretchedSizeTable, SizeOnScreen) {
  EXPECT_EQ(StretchedSize(GetParam().picture, GetParam().target), GetParam().stretched);
}

INSTANTIATE_TEST_SUITE_P(Sizes, StretchedSizeTable,
                         ::testing::Values(StretchedCase{{6000, 4000}, hd, {1920, 1080}},
                                           StretchedCase{{6000, 4000}, hdRatio, {1620, 1080}},
                                           StretchedCase{{4000, 6000}, hdRatio, {720, 1080}},
                                           StretchedCase{{16000, 2000}, hdRatio, {1920, 240}},
                                           StretchedCase{{1921, 1081}, hdRatio, {1920, 1080}},
                                           StretchedCase{{0, 0}, hdRatio, {1920, 1080}}));

// CENTER: the rectangle decoded for monitors no larger than box. On an axis where the picture
// is larger, the middle box pixels, one more when the difference is odd (the part keeps the
// picture's parity); otherwise the whole axis.
struct CenterCase {
  const char* what;
  QSize picture;
  QSize box;
  QRect part;
};

class CenterPartTable : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenterPartTable, RectangleDecoded) {
  const CenterCase& c = GetParam();
  const QRect part = CenterPart(c.picture, c.box);
  EXPECT_EQ(part, c.part) << c.what;
  if (!part.isEmpty()) {
    EXPECT_TRUE(QRect(QPoint(0, 0), c.picture).contains(part)) << c.what;
  }
  EXPECT_EQ((c.picture.width() - part.width()) % 2, 0) << c.what;
  EXPECT_EQ((c.picture.height() - part.height()) % 2, 0) << c.what;
  // The margins either side are equal: the part is the picture's exact middle.
  EXPECT_EQ(part.left(), c.picture.width() - 1 - part.right()) << c.what;
  EXPECT_EQ(part.top(), c.picture.height() - 1 - part.bottom()) << c.what;
  // A centred target never scales.
  EXPECT_EQ(DecodeEighths(c.picture, {c.box, false, DecodeUse::Centred}), 8) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CenterPartTable,
    ::testing::Values(
        CenterCase{"smaller", {800, 600}, {1920, 1080}, {0, 0, 800, 600}},
        CenterCase{"equal", {1920, 1080}, {1920, 1080}, {0, 0, 1920, 1080}},
        CenterCase{"larger in width only", {3000, 1000}, {1920, 1080}, {540, 0, 1920, 1000}},
        CenterCase{"larger in height only", {1000, 3000}, {1920, 1080}, {0, 960, 1000, 1080}},
        CenterCase{"6000x4000 photo", {6000, 4000}, {1920, 1080}, {2040, 1460, 1920, 1080}},
        CenterCase{"odd picture, even screen", {6001, 4001}, {1920, 1080}, {2040, 1460, 1921, 1081}},
        CenterCase{"even picture, odd screen", {6000, 4000}, {1919, 1079}, {2040, 1460, 1920, 1080}},
        CenterCase{"odd picture, odd screen", {6001, 3999}, {1919, 1079}, {2041, 1460, 1919, 1079}},
        CenterCase{"one pixel larger", {1921, 1081}, {1920, 1080}, {0, 0, 1921, 1081}},
        CenterCase{"two pixels larger", {1922, 1082}, {1920, 1080}, {1, 1, 1920, 1080}},
        CenterCase{"portrait picture, landscape screen", {4000, 6000}, {1920, 1080}, {1040, 2460, 1920, 1080}},
        CenterCase{"landscape picture, portrait screen", {6000, 4000}, {1080, 1920}, {2460, 1040, 1080, 1920}},
        CenterCase{"largest of two monitors", {6000, 4000}, {2560, 1440}, {1720, 1280, 2560, 1440}},
        CenterCase{"no box", {6000, 4000}, {0, 0}, {0, 0, 6000, 4000}},
        CenterCase{"empty picture", {0, 0}, {1920, 1080}, {0, 0, 0, 0}}));

}  // namespace
