#include "wallpaper/ConvertedBitmap.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <set>

#include "picture/BmpFile.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

TEST(ConvertFileName, JoinsTheFolderAndTheFixedName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/tesserine", "/opt/tesserine/Tesserina Convert.BMP"},
      {"/opt/tesserine/", "/opt/tesserine/Tesserina Convert.BMP"},
      {"/", "/Tesserina Convert.BMP"},
  };
  for (const auto& [folder, name] : cases) EXPECT_EQ(ConvertFileName(folder), name);
}

TEST(StretchPicture, IntegerFactorsReplicateEveryPixel) {
  const QImage source = CoordinatePicture(3, 2);
  const QImage stretched = StretchPicture(source, QSize(9, 8));
  ASSERT_EQ(stretched.size(), QSize(9, 8));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(stretched.pixel(x, y), source.pixel(x / 3, y / 4)) << x << "," << y;
}

// Each output pixel copies the source pixel under its centre (Qt's fixed-point stepping
// may pick the neighbour when the centre falls on a boundary); no colour is made up, and
// columns and rows never go backwards.
void ExpectNearestMapping(const QImage& source, const QImage& stretched) {
  const auto sourceX = [&](int x) { return qRed(stretched.pixel(x, 0)) + 256 * (qBlue(stretched.pixel(x, 0)) % 16); };
  const auto sourceY = [&](int y) { return qGreen(stretched.pixel(0, y)) + 256 * (qBlue(stretched.pixel(0, y)) / 16); };
  std::set<int> columns, rows;
  for (int y = 0; y < stretched.height(); ++y)
    for (int x = 0; x < stretched.width(); ++x)
      ASSERT_EQ(stretched.pixel(x, y), source.pixel(sourceX(x), sourceY(y))) << x << "," << y;
  const double fx = double(source.width()) / stretched.width(), fy = double(source.height()) / stretched.height();
  for (int x = 0; x < stretched.width(); ++x) {
    EXPECT_LE(std::abs(sourceX(x) - int((x + 0.5) * fx)), 1) << x;
    if (x > 0) {
      EXPECT_GE(sourceX(x), sourceX(x - 1));
    }
    columns.insert(sourceX(x));
  }
  for (int y = 0; y < stretched.height(); ++y) {
    EXPECT_LE(std::abs(sourceY(y) - int((y + 0.5) * fy)), 1) << y;
    if (y > 0) {
      EXPECT_GE(sourceY(y), sourceY(y - 1));
    }
    rows.insert(sourceY(y));
  }
  if (fx <= 1) {
    EXPECT_EQ(int(columns.size()), source.width()) << "enlarging keeps every column";
  }
  if (fy <= 1) {
    EXPECT_EQ(int(rows.size()), source.height()) << "enlarging keeps every row";
  }
}

TEST(StretchPicture, NearestPixelInBothDirections) {
  const std::pair<QSize, QSize> cases[] = {
      {{300, 225}, {800, 600}},   // 8/3 in both directions
      {{70, 46}, {1920, 1080}},   // different factors in width and height
      {{1000, 700}, {320, 200}},  // shrinking drops pixels
      {{5, 300}, {700, 40}},      // wider, lower
  };
  for (const auto& [from, to] : cases) {
    const QImage source = CoordinatePicture(from.width(), from.height());
    const QImage stretched = StretchPicture(source, to);
    ASSERT_EQ(stretched.size(), to);
    ExpectNearestMapping(source, stretched);
  }
}

TEST(StretchPicture, WithoutATargetThePictureStaysAsItIs) {
  const QImage source = CoordinatePicture(30, 20);
  EXPECT_TRUE(SamePixels(StretchPicture(source, std::nullopt), source));
  EXPECT_TRUE(SamePixels(StretchPicture(source, QSize(30, 20)), source));
}

TEST(StretchPicture, EmptyPictureGivesABlackScreen) {
  const QImage stretched = StretchPicture(QImage(), QSize(16, 9));
  ASSERT_EQ(stretched.size(), QSize(16, 9));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(stretched.pixel(x, y), qRgb(0, 0, 0));
  EXPECT_TRUE(StretchPicture(QImage(), std::nullopt).isNull());
}

TEST(StretchPicture, AbsurdTargetIsRefused) {
  EXPECT_THROW(StretchPicture(CoordinatePicture(2, 2), QSize(100000, 100000)), TPictureTooLarge);
}

TEST(WriteConverted, WritesTheStretchedPicture) {
  QTemporaryDir dir;
  const std::string path = ConvertFileName(dir.path().toStdString());
  const QImage source = CoordinatePicture(4, 3);
  WriteConverted(source, QSize(8, 9), path);
  EXPECT_TRUE(SamePixels(ReadBmp(path), StretchPicture(source, QSize(8, 9))));
  WriteConverted(source, std::nullopt, path);
  EXPECT_TRUE(SamePixels(ReadBmp(path), source));
}

}  // namespace
