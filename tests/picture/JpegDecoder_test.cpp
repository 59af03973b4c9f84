#include "picture/JpegDecoder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <functional>

#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

// Every good file, and a file cut in half (which libjpeg pads), decodes to djpeg's pixels.
class JpegMatchesDjpeg : public ::testing::TestWithParam<const char*> {};

TEST_P(JpegMatchesDjpeg, SamePixels) {
  const std::string path = DataFile(GetParam());
  const QImage expected = Djpeg(path);
  ASSERT_FALSE(expected.isNull()) << "djpeg could not decode " << path;
  const QImage picture = DecodeJpeg(path);
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  EXPECT_TRUE(SamePixels(picture, expected));
}

INSTANTIATE_TEST_SUITE_P(Files, JpegMatchesDjpeg,
                         ::testing::Values("ok/baseline.jpg", "ok/progressive.jpg", "ok/grey.jpg", "ok/cmyk.jpg",
                                           "ok/restart.jpg", "ok/444.jpg", "bad/truncated.jpg"));

TEST(JpegDecoder, PixelsAreOpaque) {
  for (const char* name : {"ok/baseline.jpg", "ok/grey.jpg", "ok/cmyk.jpg"}) {
    const QImage picture = DecodeJpeg(DataFile(name));
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) ASSERT_EQ(qAlpha(picture.pixel(x, y)), 255) << name;
  }
}

TEST(JpegDecoder, GreyscaleGivesGreyRgb) {
  const QImage picture = DecodeJpeg(DataFile("ok/grey.jpg"));
  ASSERT_EQ(picture.size(), QSize(70, 46));
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
    }
}

struct BadJpeg {
  const char* file;
  std::function<void(const std::string&)> expectThrow;
};

template <typename Error>
std::function<void(const std::string&)> Throws() {
  return [](const std::string& path) { EXPECT_THROW(DecodeJpeg(path), Error) << path; };
}

TEST(JpegDecoder, BadFilesFailCleanly) {
  const BadJpeg cases[] = {
      {"bad/empty.jpg", Throws<TDecodeError>()},
      {"bad/random.jpg", Throws<TDecodeError>()},
      {"bad/garbage-after-soi.jpg", Throws<TDecodeError>()},
      {"bad/header-only.jpg", Throws<TDecodeError>()},
      {"bad/sof-zero.jpg", Throws<TDecodeError>()},
      {"bad/sof-65535.jpg", Throws<TDecodeError>()},
      {"bad/sof-60000.jpg", Throws<TPictureTooLarge>()},
      {"bad/no-such-file.jpg", Throws<TFileOpenError>()},
      {"bad", Throws<TFileOpenError>()},
      {"ok/rose24.bmp", Throws<TDecodeError>()},
  };
  for (const BadJpeg& c : cases) c.expectThrow(DataFile(c.file));
}

TEST(JpegDecoder, TooLargeNamesSizeAndLimit) {
  try {
    DecodeJpeg(DataFile("bad/sof-60000.jpg"));
    FAIL() << "no exception";
  } catch (const TPictureTooLarge& error) {
    EXPECT_STREQ(error.what(), "The picture is too large: 60000 x 60000 pixels (the limit is 268435456 pixels)");
  }
}

TEST(JpegDecoder, HundredMegapixelsLoad) {
  QTemporaryDir dir;
  const QString path = dir.filePath("big.jpg");
  {
    QImage grey(10000, 10000, QImage::Format_Grayscale8);
    grey.fill(40);
    for (int y = 0; y < 16; ++y) std::fill_n(grey.scanLine(9984 + y) + 9984, 16, 220);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    ASSERT_TRUE(writer.write(grey)) << writer.errorString().toStdString();
  }
  const QImage picture = DecodeJpeg(path.toStdString());
  ASSERT_EQ(picture.size(), QSize(10000, 10000));
  EXPECT_NEAR(qGreen(picture.pixel(5000, 5000)), 40, 3);
  EXPECT_NEAR(qGreen(picture.pixel(9991, 9991)), 220, 3);
}

TEST(JpegThumbnailDenominator, KeepsTheLongerSideAtLeastTheThumbnailSize) {
  struct Case {
    int width, height, minSide, denominator;
  };
  const Case cases[] = {{4000, 3000, 128, 8}, {3000, 4000, 128, 8}, {1024, 768, 128, 8}, {1023, 768, 128, 4},
                        {500, 300, 128, 2},   {255, 100, 128, 1},   {100, 100, 128, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(JpegThumbnailDenominator(c.width, c.height, c.minSide), c.denominator) << c.width << "x" << c.height;
}

TEST(DecodeJpegThumbnail, DecodesAtReducedSize) {
  for (const char* name : {"ok/baseline.jpg", "ok/progressive.jpg", "ok/grey.jpg", "ok/444.jpg", "ok/cmyk.jpg"}) {
    const QImage full = QImage(QString::fromStdString(DataFile(name)));
    ASSERT_FALSE(full.isNull()) << name;
    const QImage small = DecodeJpegThumbnail(DataFile(name), 10);
    const int denominator = JpegThumbnailDenominator(full.width(), full.height(), 10);
    ASSERT_GT(denominator, 1) << name;
    EXPECT_EQ(small.width(), (full.width() + denominator - 1) / denominator) << name;
    EXPECT_EQ(small.height(), (full.height() + denominator - 1) / denominator) << name;
    EXPECT_EQ(small.format(), QImage::Format_RGB32);
  }
}

TEST(DecodeJpegThumbnail, CorruptFilesThrowInsteadOfEndingTheProgram) {
  for (const char* name :
       {"bad/empty.jpg", "bad/garbage-after-soi.jpg", "bad/header-only.jpg", "bad/random.jpg", "bad/sof-zero.jpg"})
    EXPECT_THROW(DecodeJpegThumbnail(DataFile(name), 16), TDecodeError) << name;
  EXPECT_THROW(DecodeJpegThumbnail(DataFile("missing.jpg"), 16), TFileOpenError);
  EXPECT_THROW(DecodeJpegThumbnail(std::string(TESSERINE_TEST_DATA), 16), TFileOpenError);
}

}  // namespace
