#include "wallpaper/Compositions.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

QImage FromLetters(const Rows& rows) {
  QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(rows[y][x], 0, 0));
  return image;
}

Rows ToLetters(const QImage& image) {
  Rows rows(image.height(), std::string(image.width(), ' '));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) rows[y][x] = static_cast<char>(qRed(image.pixel(x, y)));
  return rows;
}

// Every pixel different for up to 2^24 pixels.
QImage Distinct(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | static_cast<QRgb>(y * w + x));
  return image;
}

using Build = std::function<QImage(const QImage&)>;
const Build kMirror = BuildMirrorTile;
const Build kBrick = BuildBrickTile;
const Build kDouble = BuildDoubleTile;

TEST(Compositions, LetterRowsFollowTheLayouts) {
  struct Row {
    const char* name;
    Build build;
    Rows source;
    Rows expected;
  };
  const Row rows[] = {
      {"mirror ABCD", kMirror, {"ABCD"}, {"ABCDCB"}},
      {"brick ABCD", kBrick, {"ABCD"}, {"ABCD", "CDAB"}},
      {"double ABCD", kDouble, {"ABCD"}, {"AABBCCDD", "AABBCCDD"}},
      {"mirror ABCDE", kMirror, {"ABCDE"}, {"ABCDEDCB"}},
      {"brick ABCDE", kBrick, {"ABCDE"}, {"ABCDE", "CDEAB"}},
      {"mirror 1x1", kMirror, {"A"}, {"A"}},
      {"mirror 2x2", kMirror, {"AB", "CD"}, {"AB", "CD"}},
      {"mirror 3x3", kMirror, {"ABC", "DEF", "GHI"}, {"ABCB", "DEFE", "GHIH", "DEFE"}},
      {"mirror column", kMirror, {"A", "B", "C", "D"}, {"A", "B", "C", "D", "C", "B"}},
      {"brick 1 wide", kBrick, {"A", "B"}, {"A", "B", "A", "B"}},
      {"double 2x2", kDouble, {"AB", "CD"}, {"AABB", "AABB", "CCDD", "CCDD"}},
  };
  for (const Row& row : rows) {
    const QImage out = row.build(FromLetters(row.source));
    EXPECT_EQ(out.format(), QImage::Format_RGB32) << row.name;
    EXPECT_EQ(ToLetters(out), row.expected) << row.name;
  }
}

int Mirror(int i, int n) { return i < n ? i : 2 * n - 2 - i; }

TEST(Compositions, EveryPixelFollowsTheClosedFormulas) {
  struct Layout {
    const char* name;
    Build build;
    std::function<QSize(int, int)> size;
    std::function<QPoint(int, int, int, int)> from;  // source pixel of Out(x, y) for a w x h source
  };
  const Layout layouts[] = {
      {"mirror", kMirror, [](int w, int h) { return QSize(w > 2 ? 2 * w - 2 : w, h > 2 ? 2 * h - 2 : h); },
       [](int x, int y, int w, int h) { return QPoint(Mirror(x, w), Mirror(y, h)); }},
      {"brick", kBrick, [](int w, int h) { return QSize(w, 2 * h); },
       [](int x, int y, int w, int h) { return y < h ? QPoint(x, y) : QPoint((x + w / 2) % w, y - h); }},
      {"double", kDouble, [](int w, int h) { return QSize(2 * w, 2 * h); },
       [](int x, int y, int, int) { return QPoint(x / 2, y / 2); }},
  };
  const QSize sizes[] = {{1, 1},   {2, 2},   {2, 50},   {3, 3},    {5, 1},     {1, 5},    {300, 200},
                         {301, 7}, {7, 301}, {4000, 3}, {3, 4000}, {16383, 2}, {2, 16383}};
  for (const Layout& layout : layouts) {
    for (const QSize size : sizes) {
      const QImage source = Distinct(size.width(), size.height());
      const QImage out = layout.build(source);
      ASSERT_EQ(out.size(), layout.size(size.width(), size.height())) << layout.name << " " << size.width();
      int wrong = 0;
      for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
          wrong += out.pixel(x, y) != source.pixel(layout.from(x, y, size.width(), size.height()));
      EXPECT_EQ(wrong, 0) << layout.name << " " << size.width() << "x" << size.height();
    }
  }
}

TEST(Compositions, RatioStretchPadsToTheScreenProportions) {
  struct Row {
    QSize screen;
    QSize image;
    QSize out;
    QPoint offset;
  };
  const Row rows[] = {
      {{800, 600}, {300, 200}, {300, 225}, {0, 12}},
      {{800, 600}, {301, 200}, {301, 226}, {0, 13}},
      {{800, 600}, {1000, 500}, {1000, 750}, {0, 125}},
      {{800, 600}, {200, 300}, {400, 300}, {100, 0}},
      {{800, 600}, {1024, 768}, {1024, 768}, {0, 0}},
      {{800, 600}, {1600, 1200}, {1600, 1200}, {0, 0}},
      {{800, 600}, {1, 1}, {1, 1}, {0, 0}},
      {{1280, 1024}, {300, 200}, {300, 240}, {0, 20}},
      // Halves round to the even neighbour: 4.5 -> 4, 7.5 -> 8, 10.5 -> 10, 1.5 -> 2.
      {{1024, 768}, {6, 4}, {6, 4}, {0, 0}},
      {{1024, 768}, {10, 7}, {10, 8}, {0, 0}},
      {{1024, 768}, {14, 10}, {14, 10}, {0, 0}},
      {{1024, 768}, {2, 1}, {2, 2}, {0, 0}},
      {{768, 1024}, {4, 6}, {4, 6}, {0, 0}},
      {{768, 1024}, {7, 10}, {8, 10}, {0, 0}},
      {{0, 0}, {30, 20}, {30, 20}, {0, 0}},
  };
  const QRgb fill = qRgb(1, 2, 3);
  for (const Row& row : rows) {
    const QImage source = Distinct(row.image.width(), row.image.height());
    const QImage out = BuildRatioStretch(source, row.screen, fill);
    ASSERT_EQ(out.size(), row.out) << row.image.width() << "x" << row.image.height();
    EXPECT_EQ(RatioStretchLayout(row.image, row.screen).offset, row.offset);
    const QRect placed(row.offset, row.image);
    int wrong = 0;
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x)
        wrong += out.pixel(x, y) != (placed.contains(x, y) ? source.pixel(QPoint(x, y) - row.offset) : fill);
    EXPECT_EQ(wrong, 0) << row.image.width() << "x" << row.image.height();
  }
}

TEST(Compositions, EmptySourceGivesEmptyBitmapInEveryLayout) {
  const QImage empty;
  EXPECT_TRUE(BuildMirrorTile(empty).isNull());
  EXPECT_TRUE(BuildBrickTile(empty).isNull());
  EXPECT_TRUE(BuildDoubleTile(empty).isNull());
  EXPECT_TRUE(BuildRatioStretch(empty, {800, 600}, qRgb(9, 9, 9)).isNull());
  EXPECT_EQ(RatioStretchLayout({0, 0}, {800, 600}).size, QSize(0, 0));
}

TEST(Compositions, OtherSourceFormatsComposeToRgb32) {
  QImage source(3, 2, QImage::Format_ARGB32);
  source.fill(qRgb(10, 20, 30));
  const QImage out = BuildMirrorTile(source);
  EXPECT_EQ(out.format(), QImage::Format_RGB32);
  EXPECT_EQ(out.pixel(3, 1), qRgb(10, 20, 30));
}

TEST(Compositions, OversizedOutputsAreRefused) {
  EXPECT_THROW(BuildDoubleTile(Distinct(16384, 1)), TCompositionError);
  EXPECT_EQ(BuildDoubleTile(QImage(16383, 1, QImage::Format_RGB32)).width(), 32766);
  EXPECT_THROW(BuildMirrorTile(QImage(16386, 1, QImage::Format_RGB32)), TCompositionError);
  EXPECT_THROW(BuildBrickTile(QImage(1, 16384, QImage::Format_RGB32)), TCompositionError);
  EXPECT_THROW(BuildRatioStretch(Distinct(1000, 1), {1, 32767}, 0), TCompositionError);
  EXPECT_THROW(RatioStretchLayout({1, 2147483647}, {2147483647, 1}), TCompositionError);
  EXPECT_NO_THROW(CheckComposedSize(32767, 16384));
  EXPECT_THROW(CheckComposedSize(32767, 16385), TCompositionError);
  EXPECT_THROW(CheckComposedSize(-1, 1), TCompositionError);
}

}  // namespace
