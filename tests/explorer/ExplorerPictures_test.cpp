#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "explorer/PictureThumbnail.h"
#include "explorer/PreviewPlacement.h"

namespace {

std::string Data(const char* name) { return std::string(TESSERINE_TEST_DATA) + "/" + name; }

using Kind = TPreviewPlacement::Kind;

struct PlacementCase {
  PreviewMode mode;
  QSize picture;
  QSize box;
  Kind kind;
  QRect target;
  bool shrunk;
};

class PlacePreviewTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacePreviewTest, PlacesThePictureInTheBox) {
  const PlacementCase& c = GetParam();
  const TPreviewPlacement placement = PlacePreview(c.mode, c.picture, c.box);
  EXPECT_EQ(placement.kind, c.kind);
  if (c.kind != Kind::Nothing) {
    EXPECT_EQ(placement.target, c.target);
  }
  EXPECT_EQ(placement.shrunk, c.shrunk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacePreviewTest,
    ::testing::Values(
        // A fitting picture keeps its own size at the top left.
        PlacementCase{PreviewMode::Shrink, {100, 50}, {250, 235}, Kind::Stretched, {0, 0, 100, 50}, false},
        PlacementCase{PreviewMode::Shrink, {250, 235}, {250, 235}, Kind::Stretched, {0, 0, 250, 235}, false},
        // Wider than the box: the width runs to W - 1.
        PlacementCase{PreviewMode::Shrink, {500, 100}, {250, 235}, Kind::Stretched, {0, 0, 249, 49}, true},
        // Taller: the height runs to H - 1; 100 / 500 x 235 = 47.
        PlacementCase{PreviewMode::Shrink, {100, 500}, {250, 235}, Kind::Stretched, {0, 0, 46, 234}, true},
        // Halves go to the even integer: 5 / 500 x 250 = 2.5 -> 2, 7 / 500 x 250 = 3.5 -> 4.
        PlacementCase{PreviewMode::Shrink, {500, 5}, {250, 235}, Kind::Stretched, {0, 0, 249, 1}, true},
        PlacementCase{PreviewMode::Shrink, {500, 7}, {250, 235}, Kind::Stretched, {0, 0, 249, 3}, true},
        // So thin that nothing is left to draw, yet it is shrunk.
        PlacementCase{PreviewMode::Shrink, {1000, 1}, {250, 235}, Kind::Nothing, {}, true},
        PlacementCase{PreviewMode::Stretch, {10, 10}, {250, 235}, Kind::Stretched, {0, 0, 249, 234}, false},
        PlacementCase{PreviewMode::Tile, {30, 20}, {250, 235}, Kind::Tiled, {0, 0, 30, 20}, false},
        // A picture without pixels is never tiled, stretched or shrunk.
        PlacementCase{PreviewMode::Tile, {0, 0}, {250, 235}, Kind::Nothing, {}, false},
        PlacementCase{PreviewMode::Tile, {30, 0}, {250, 235}, Kind::Nothing, {}, false},
        PlacementCase{PreviewMode::Stretch, {0, 0}, {250, 235}, Kind::Nothing, {}, false},
        PlacementCase{PreviewMode::Shrink, {0, 0}, {250, 235}, Kind::Nothing, {}, false},
        PlacementCase{PreviewMode::Stretch, {10, 10}, {0, 0}, Kind::Nothing, {}, false}));

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.4, 2}, {2.6, 3}, {47.0, 47}, {-0.5, 0}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(RoundHalfEven(x), expected) << x;
}

TEST(MakePictureThumbnail, GivesAPictureForEachFormatAndNullForBrokenFiles) {
  for (const char* name : {"ok/baseline.jpg", "ok/cmyk.jpg", "ok/rose.gif", "ok/rose24.bmp", "ok/rose8rle.bmp",
                           "ok/rose.png", "ok/rose.webp", "ok/anim.webp"})
    EXPECT_FALSE(MakePictureThumbnail(QString::fromStdString(Data(name)), 16).isNull()) << name;
  for (const char* name : {"bad/random.jpg", "bad/random.gif", "bad/random.bmp", "bad/huge.bmp", "missing.bmp",
                           "bad/truncated.png", "bad/huge.png", "bad/truncated.webp", "bad/canvas-20000.webp"})
    EXPECT_TRUE(MakePictureThumbnail(QString::fromStdString(Data(name)), 16).isNull()) << name;
}

}  // namespace
