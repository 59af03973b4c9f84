#include "picture/QtImageDecoder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImageWriter>
#include <QTemporaryDir>
#include <functional>

#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

struct GoodFile {
  const char* file;
  PictureFormat format;
  int tolerance;  // lossy WebP: ImageMagick and Qt may round libwebp's upsampling apart
};

class QtImageMatchesMagick : public ::testing::TestWithParam<GoodFile> {};

TEST_P(QtImageMatchesMagick, SamePixels) {
  const std::string path = DataFile(GetParam().file);
  const QImage expected = MagickDecode(path);
  ASSERT_FALSE(expected.isNull()) << "ImageMagick could not decode " << path;
  const QImage picture = DecodeQtImage(path, GetParam().format);
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  EXPECT_TRUE(SamePixels(picture, expected, GetParam().tolerance));
}

INSTANTIATE_TEST_SUITE_P(Files, QtImageMatchesMagick,
                         ::testing::Values(GoodFile{"ok/rose.png", PictureFormat::Png, 0},
                                           GoodFile{"ok/interlaced.png", PictureFormat::Png, 0},
                                           GoodFile{"ok/rose48.png", PictureFormat::Png, 0},
                                           GoodFile{"ok/palette.png", PictureFormat::Png, 0},
                                           GoodFile{"ok/lossless.webp", PictureFormat::Webp, 0},
                                           GoodFile{"ok/rose.webp", PictureFormat::Webp, 2}));

// ok/alpha.* hold red at alpha 128, opaque green, blue at alpha 0 and (200, 100, 40) at
// alpha 64; over black each colour is scaled by its alpha.
TEST(QtImageDecoder, TransparencyIsCompositedOverBlack) {
  const QRgb expected[] = {qRgb(128, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 0), qRgb(50, 25, 10)};
  for (const auto& [file, format] :
       {std::pair{"ok/alpha.png", PictureFormat::Png}, {"ok/alpha.webp", PictureFormat::Webp}}) {
    const QImage picture = DecodeQtImage(DataFile(file), format);
    ASSERT_EQ(picture.size(), QSize(4, 1)) << file;
    EXPECT_EQ(picture.format(), QImage::Format_RGB32) << file;
    for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.pixel(x, 0), expected[x]) << file << " pixel " << x;
  }
}

TEST(QtImageDecoder, AnimatedWebpGivesItsFirstFrame) {
  const QImage picture = DecodeQtImage(DataFile("ok/anim.webp"), PictureFormat::Webp);
  ASSERT_EQ(picture.size(), QSize(8, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(picture.pixel(x, y), qRgb(0x0a, 0x14, 0x1e)) << x << "," << y;
}

struct BadFile {
  const char* file;
  PictureFormat format;
  std::function<void(const std::string&, PictureFormat)> expectThrow;
};

template <typename Error>
std::function<void(const std::string&, PictureFormat)> Throws() {
  return [](const std::string& path, PictureFormat format) {
    EXPECT_THROW(DecodeQtImage(path, format), Error) << path;
    EXPECT_THROW(DecodeQtImageThumbnail(path, format, 16), Error) << path << " as a thumbnail";
  };
}

TEST(QtImageDecoder, BadFilesFailCleanly) {
  using enum PictureFormat;
  const BadFile cases[] = {
      {"bad/empty.png", Png, Throws<TDecodeError>()},
      {"bad/truncated.png", Png, Throws<TDecodeError>()},
      {"bad/garbage-after-signature.png", Png, Throws<TDecodeError>()},
      {"bad/header-only.png", Png, Throws<TDecodeError>()},
      {"bad/idat-crc.png", Png, Throws<TDecodeError>()},
      {"bad/huge.png", Png, Throws<TPictureTooLarge>()},
      {"bad/empty.webp", Webp, Throws<TDecodeError>()},
      {"bad/truncated.webp", Webp, Throws<TDecodeError>()},
      {"bad/garbage-after-header.webp", Webp, Throws<TDecodeError>()},
      {"bad/canvas-20000.webp", Webp, Throws<TPictureTooLarge>()},
      // The reader is pinned to the named format: contents of another never decode.
      {"ok/rose.webp", Png, Throws<TDecodeError>()},
      {"ok/rose.png", Webp, Throws<TDecodeError>()},
      {"ok/baseline.jpg", Png, Throws<TDecodeError>()},
      {"ok/rose24.bmp", Webp, Throws<TDecodeError>()},
      {"bad/no-such-file.png", Png, Throws<TFileOpenError>()},
      {"bad", Webp, Throws<TFileOpenError>()},
  };
  for (const BadFile& c : cases) c.expectThrow(DataFile(c.file), c.format);
}

std::int64_t PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(QtImageDecoder, GiganticHeadersAreRefusedBeforeAnyAllocation) {
  const std::int64_t before = PeakKilobytes();
  try {
    DecodeQtImage(DataFile("bad/huge.png"), PictureFormat::Png);
    FAIL() << "no exception";
  } catch (const TPictureTooLarge& error) {
    EXPECT_STREQ(error.what(), "The picture is too large: 100000 x 100000 pixels (the limit is 268435456 pixels)");
  }
  // An animation's 20000 x 20000 canvas would take 1.6 GB the moment Qt's reader scans it.
  EXPECT_THROW(DecodeQtImage(DataFile("bad/canvas-20000.webp"), PictureFormat::Webp), TPictureTooLarge);
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
}

TEST(QtImageDecoder, PicturesBeyondQtsOwnAllocationLimitLoad) {
  QTemporaryDir dir;
  const QString path = dir.filePath("big.png");
  {
    // 6000 x 6000 at 32 bits is 144 MB, above the 128 MB Qt allows by default.
    QImage picture(6000, 6000, QImage::Format_RGB32);
    picture.fill(qRgb(40, 80, 120));
    picture.setPixel(5999, 5999, qRgb(220, 10, 30));
    QImageWriter writer(path, "png");
    ASSERT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
  }
  const QImage picture = DecodeQtImage(path.toStdString(), PictureFormat::Png);
  ASSERT_EQ(picture.size(), QSize(6000, 6000));
  EXPECT_EQ(picture.pixel(3000, 3000), qRgb(40, 80, 120));
  EXPECT_EQ(picture.pixel(5999, 5999), qRgb(220, 10, 30));
}

TEST(QtImageDecoder, ThumbnailsKeepTheLongerSideAtLeastTheAskedSize) {
  struct Case {
    const char* file;
    PictureFormat format;
    int minSide;
    QSize size;
  };
  const Case cases[] = {{"ok/rose.png", PictureFormat::Png, 35, {35, 23}},
                        {"ok/rose.webp", PictureFormat::Webp, 128, {70, 46}},
                        {"ok/anim.webp", PictureFormat::Webp, 4, {4, 3}}};
  for (const Case& c : cases) {
    const QImage thumbnail = DecodeQtImageThumbnail(DataFile(c.file), c.format, c.minSide);
    EXPECT_EQ(thumbnail.size(), c.size) << c.file << " at " << c.minSide;
    EXPECT_EQ(thumbnail.format(), QImage::Format_RGB32) << c.file;
  }
  const QImage alpha = DecodeQtImageThumbnail(DataFile("ok/alpha.png"), PictureFormat::Png, 4);
  EXPECT_EQ(alpha.pixel(0, 0), qRgb(128, 0, 0)) << "thumbnails are composited over black too";
}

}  // namespace
