#include "picture/AreaAverage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "picture/PictureTestTools.h"

namespace {

QImage NoisePicture(QSize size, unsigned seed) {
  QImage picture(size, QImage::Format_RGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) picture.setPixel(x, y, 0xff000000u | (random() & 0xffffff));
  return picture;
}

QImage Averaged(const QImage& source, QSize to) {
  TAreaAverage average(source.size(), to);
  for (int y = 0; y < source.height(); ++y) average.Put(y, reinterpret_cast<const QRgb*>(source.constScanLine(y)));
  return average.Picture();
}

struct SizeCase {
  const char* what;
  QSize from;
  QSize to;
};

class AreaAverageTable : public ::testing::TestWithParam<SizeCase> {};

// Row by row, the same pixels as the average computed over the whole picture at once.
TEST_P(AreaAverageTable, EqualsTheExactAverage) {
  const SizeCase& c = GetParam();
  const QImage source = NoisePicture(c.from, 11);
  const QImage averaged = Averaged(source, c.to);
  EXPECT_EQ(averaged.format(), QImage::Format_RGB32);
  EXPECT_TRUE(SamePixels(averaged, ExactAreaAverage(source, c.to)));
  EXPECT_EQ(averaged.pixel(0, 0) >> 24, 0xffu) << "opaque";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, AreaAverageTable,
    ::testing::Values(SizeCase{"halves", {64, 48}, {32, 24}}, SizeCase{"odd to odd", {97, 61}, {13, 7}},
                      SizeCase{"just smaller", {50, 40}, {49, 39}}, SizeCase{"width only", {80, 30}, {33, 30}},
                      SizeCase{"height only", {30, 80}, {30, 41}}, SizeCase{"one pixel", {45, 37}, {1, 1}},
                      SizeCase{"one row", {120, 1}, {7, 1}}, SizeCase{"one column", {1, 90}, {1, 8}},
                      SizeCase{"unchanged", {9, 5}, {9, 5}}, SizeCase{"portrait", {41, 133}, {16, 51}},
                      SizeCase{"screen from a wide photo", {257, 144}, {192, 108}}),
    [](const ::testing::TestParamInfo<SizeCase>& info) {
      std::string name = info.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

// A picture so tall that the sums of a row pass 32 bits: every level still comes out whole.
TEST(AreaAverage, TallPicturesDoNotOverflow) {
  const QSize from(1, 16843010);
  TAreaAverage average(from, {1, 3});
  const QRgb colour = qRgb(255, 128, 1);
  for (int y = 0; y < from.height(); ++y) average.Put(y, &colour);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(average.Picture().pixel(0, y), colour) << y;
}

// Rows out of order are left out rather than averaged into the wrong place.
TEST(AreaAverage, RowsOutOfOrderAreIgnored) {
  const QImage source = NoisePicture({8, 8}, 3);
  TAreaAverage average(source.size(), {4, 4});
  average.Put(1, reinterpret_cast<const QRgb*>(source.constScanLine(1)));
  for (int y = 0; y < 8; ++y) average.Put(y, reinterpret_cast<const QRgb*>(source.constScanLine(y)));
  EXPECT_TRUE(SamePixels(average.Picture(), ExactAreaAverage(source, {4, 4})));
}

}  // namespace
