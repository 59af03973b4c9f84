#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>

#include "picture/JpegDecoder.h"
#include "picture/PictureTestTools.h"
#include "support/PlasmaJpeg.h"

namespace {

// Byte for byte, every row: libjpeg's partial decode must give the whole decode's pixels.
::testing::AssertionResult SameBytes(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size() || actual.format() != expected.format())
    return ::testing::AssertionFailure() << "size or format differs";
  const auto rowBytes = static_cast<std::size_t>(actual.width()) * 4;
  for (int y = 0; y < actual.height(); ++y)
    if (std::memcmp(actual.constScanLine(y), expected.constScanLine(y), rowBytes) != 0)
      return ::testing::AssertionFailure() << "row " << y << " differs";
  return ::testing::AssertionSuccess();
}

struct PartCase {
  const char* what;
  QSize box;
};

// Boxes whose edges fall inside and on iMCU boundaries of the pictures below, on both axes.
const PartCase Boxes[] = {
    {"a 16th iMCU wide", {17, 9}},
    {"odd both", {31, 21}},
    {"even both", {32, 20}},
    {"one pixel short", {69, 45}},
    {"width only", {40, 1000}},
    {"height only", {1000, 30}},
    {"larger than the picture", {5000, 5000}},
    {"a single pixel", {1, 1}},
};

void ExpectPartOfWhole(const std::string& path, const std::string& label) {
  const QImage whole = DecodeJpeg(path);
  ASSERT_FALSE(whole.isNull()) << label;
  for (const PartCase& box : Boxes) {
    const TScaledPicture part = DecodeJpegFor(path, {box.box, false, DecodeUse::Centred});
    const QRect rect = CenterPart(whole.size(), box.box);
    EXPECT_EQ(part.fileSize, whole.size()) << label << ", " << box.what;
    EXPECT_EQ(part.picture.size(), rect.size()) << label << ", " << box.what;
    EXPECT_TRUE(SameBytes(part.picture, whole.copy(rect))) << label << ", " << box.what;
  }
}

TEST(DecodeJpegPart, TestFilesEqualTheWholeDecodesRectangle) {
  for (const char* file :
       {"ok/baseline.jpg", "ok/444.jpg", "ok/progressive.jpg", "ok/restart.jpg", "ok/grey.jpg", "ok/cmyk.jpg"})
    ExpectPartOfWhole(DataFile(file), file);
}

// Larger pictures of odd sizes and every common subsampling, baseline and progressive.
TEST(DecodeJpegPart, SubsampledPicturesEqualTheWholeDecodesRectangle) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct Made {
    const char* name;
    QSize size;
    const char* sampling;
    bool progressive;
  };
  for (const Made& made : {Made{"420.jpg", {203, 117}, "2x2", false}, Made{"422.jpg", {190, 111}, "2x1", false},
                           Made{"440.jpg", {161, 140}, "1x2", false}, Made{"444.jpg", {147, 99}, "1x1", false},
                           Made{"420p.jpg", {203, 117}, "2x2", true}, Made{"422p.jpg", {190, 111}, "2x1", true}}) {
    const std::string path = MadePlasmaJpeg(dir, made.name, made.size, made.sampling, made.progressive);
    ASSERT_FALSE(path.empty()) << made.name;
    ExpectPartOfWhole(path, made.name);
  }
}

// The size limit is the whole picture's, so a part never lets through what DecodeJpeg refuses,
// and a picture the box holds whole decodes exactly as DecodeJpeg does.
TEST(DecodeJpegPart, WholeWhereTheBoxHoldsIt) {
  const std::string path = DataFile("ok/baseline.jpg");
  const TScaledPicture part = DecodeJpegFor(path, {{70, 46}, false, DecodeUse::Centred});
  EXPECT_TRUE(SameBytes(part.picture, DecodeJpeg(path)));
}

}  // namespace
