#include "wallpaper/PreviewGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using D = DispObj;
using F = PreviewFill;
constexpr QSize kScreen(1024, 768);
constexpr int kIntMax = std::numeric_limits<int>::max();

TEST(PreviewGeometry, PlansFollowTheMethodAndTheScale) {
  struct Row {
    const char* name;
    QSize picture;
    D method;
    QSize screen;
    F fill;
    int tw, th, columns, rows;
    QRect target;
  };
  const Row rows[] = {
      // 2 x 2 on 1024 x 768 scales to 0 x 0 and is drawn as 1 x 1 cells, 237 x 178 of them.
      {"tiny tile", {2, 2}, D::Tile, kScreen, F::Tiled, 1, 1, 237, 178, {0, 0, 1, 1}},
      {"tiny center", {2, 2}, D::Center, kScreen, F::Centered, 1, 1, 0, 0, {118, 88, 1, 1}},
      // A screen-sized picture fills the box once; the second cell starts at x = W.
      {"screen tile", kScreen, D::Tile, kScreen, F::Tiled, 236, 177, 2, 2, {0, 0, 236, 177}},
      {"larger center", {2048, 1536}, D::Center, kScreen, F::Centered, 472, 354, 0, 0, {-118, -89, 472, 354}},
      // 236000 / 1024 = 230.4 and 123900 / 768 = 161.3 truncate.
      {"truncating center", {1000, 700}, D::Center, kScreen, F::Centered, 230, 161, 0, 0, {3, 8, 230, 161}},
      {"mirror tile", {300, 200}, D::MirrorTile, kScreen, F::Tiled, 69, 46, 4, 4, {0, 0, 69, 46}},
      {"ratio stretch", {300, 200}, D::RatioStretch, kScreen, F::Stretched, 69, 46, 0, 0, {0, 0, 236, 177}},
      // 2^28 x 236 needs 64 bits; the quotient 61865984 fits again, on a 1-pixel screen it is capped.
      {"widest", {1 << 28, 1}, D::Center, kScreen, F::Centered, 61865984, 1, 0, 0, {-30932874, 88, 61865984, 1}},
      {"widest, 1-pixel screen", {1 << 28, 1}, D::Tile, {1, 1}, F::Tiled, kIntMax, 177, 1, 2, {0, 0, kIntMax, 177}},
      {"screen without area", {40, 30}, D::Tile, {0, 0}, F::Tiled, 40, 30, 6, 6, {0, 0, 40, 30}},
      {"empty picture", {0, 0}, D::Tile, kScreen, F::Teal, 1, 1, 0, 0, {}},
      {"no height", {5, 0}, D::Stretch, kScreen, F::Teal, 1, 1, 0, 0, {}},
      {"method none", {300, 200}, D::None, kScreen, F::Teal, 1, 1, 0, 0, {}},
      {"unknown method", {300, 200}, ToDispObj(7), kScreen, F::Teal, 1, 1, 0, 0, {}},
  };
  for (const Row& row : rows) {
    const PreviewPlan plan = PreviewLayout(row.picture, row.method, {236, 177}, row.screen);
    EXPECT_EQ(plan.fill, row.fill) << row.name;
    EXPECT_EQ(plan.tw, row.tw) << row.name;
    EXPECT_EQ(plan.th, row.th) << row.name;
    EXPECT_EQ(plan.columns, row.columns) << row.name;
    EXPECT_EQ(plan.rows, row.rows) << row.name;
    EXPECT_EQ(plan.target, row.target) << row.name;
  }
}

}  // namespace
