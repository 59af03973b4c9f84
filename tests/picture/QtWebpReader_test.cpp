#include "picture/QtWebpReader.h"

#include <gtest/gtest.h>

#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

TEST(DecodeQtWebp, AnimationGivesItsFirstFrame) {
  const QImage picture = DecodeQtWebp(FileBytesOf(DataFile("ok/anim.webp")), "anim.webp");
  ASSERT_EQ(picture.size(), QSize(8, 6));
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(picture.pixel(x, y), qRgb(0x0a, 0x14, 0x1e)) << x << "," << y;
}

// anim.webp with its canvas (chunk VP8X) stating width x height; its frames stay 8 x 6.
QByteArray WithCanvas(int width, int height) {
  QByteArray bytes = FileBytesOf(DataFile("ok/anim.webp"));
  const auto put = [&bytes](int at, int side) {
    for (int i = 0; i < 3; ++i) bytes[at + i] = static_cast<char>(((side - 1) >> (8 * i)) & 0xff);
  };
  put(24, width);
  put(27, height);
  return bytes;
}

// An animation's 20000 x 20000 canvas would take 1.6 GB the moment Qt's reader scans it.
TEST(DecodeQtWebp, GiganticCanvasesAreRefusedBeforeAnyAllocation) {
  const std::int64_t before = PeakKilobytes();
  EXPECT_THROW(DecodeQtWebp(FileBytesOf(DataFile("bad/canvas-20000.webp")), "huge.webp"), TPictureTooLarge);
  EXPECT_THROW(DecodeQtWebp(WithCanvas(20000, 20000), "huge.webp"), TPictureTooLarge);
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
}

// A 6000 x 6000 canvas is 144 MB, above the 128 MB Qt allows by default.
TEST(DecodeQtWebp, CanvasesBeyondQtsOwnAllocationLimitLoad) {
  const QImage picture = DecodeQtWebp(WithCanvas(6000, 6000), "big.webp");
  ASSERT_EQ(picture.size(), QSize(6000, 6000));
  EXPECT_EQ(picture.pixel(7, 5), qRgb(0x0a, 0x14, 0x1e));
}

TEST(DecodeQtWebp, OtherBytesFailWithQtsMessage) {
  for (const char* file : {"bad/empty.webp", "bad/truncated.webp", "ok/rose.png"})
    EXPECT_THROW(DecodeQtWebp(FileBytesOf(DataFile(file)), file), TDecodeError) << file;
  try {
    DecodeQtWebp(QByteArray("RIFF"), "four.webp");
    FAIL() << "no exception";
  } catch (const TDecodeError& error) {
    EXPECT_STREQ(error.what(), "WebP error in \"four.webp\": Unknown error");
  }
}

}  // namespace
