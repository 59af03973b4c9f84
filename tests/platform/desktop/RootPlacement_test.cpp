#include "platform/desktop/x11/RootPlacement.h"

#include <gtest/gtest.h>

namespace {

using Layout = WallpaperLayout;

struct Row {
  const char* what;
  Layout layout;
  QSize picture;
  std::vector<QRect> monitors;
  std::vector<RootPlacement> expected;
};

// Monitors on a 2560 x 1600 root.
const Row kRows[] = {
    {"no monitor: the root is one", Layout::Center, {101, 64}, {}, {{{0, 0, 2560, 1600}, {1229, 768, 101, 64}}}},
    {"tiles run from the root's origin whatever the monitors",
     Layout::Tile,
     {37, 23},
     {{0, 0, 1280, 1600}, {1280, 100, 1280, 1024}},
     {{{0, 0, 2560, 1600}, {0, 0, 37, 23}}}},
    {"centred on each monitor, the odd pixel after the picture",
     Layout::Center,
     {101, 64},
     {{0, 0, 1280, 1600}, {1280, 100, 1280, 1025}},
     {{{0, 0, 1280, 1600}, {589, 768, 101, 64}}, {{1280, 100, 1280, 1025}, {1869, 580, 101, 64}}}},
    {"stretched over each monitor",
     Layout::Stretch,
     {640, 400},
     {{0, 0, 1000, 1600}, {1000, 300, 1560, 1000}},
     {{{0, 0, 1000, 1600}, {0, 0, 1000, 1600}}, {{1000, 300, 1560, 1000}, {1000, 300, 1560, 1000}}}},
    {"a picture larger than its monitor is cropped evenly",
     Layout::Center,
     {1285, 1603},
     {{1280, 0, 1280, 1600}},
     {{{1280, 0, 1280, 1600}, {1277, -2, 1285, 1603}}}},
    {"a monitor reaching beyond the root is clipped to it",
     Layout::Stretch,
     {10, 10},
     {{2000, 1000, 1000, 1000}},
     {{{2000, 1000, 560, 600}, {2000, 1000, 560, 600}}}},
    {"a monitor wholly outside the root is left out",
     Layout::Center,
     {100, 100},
     {{3000, 0, 800, 600}, {0, 0, 800, 600}},
     {{{0, 0, 800, 600}, {350, 250, 100, 100}}}},
    {"with every monitor outside, the root is one",
     Layout::Stretch,
     {100, 100},
     {{3000, 0, 800, 600}},
     {{{0, 0, 2560, 1600}, {0, 0, 2560, 1600}}}},
    {"overlapping monitors each get their own",
     Layout::Center,
     {100, 100},
     {{0, 0, 1920, 1080}, {0, 0, 1280, 1024}},
     {{{0, 0, 1920, 1080}, {910, 490, 100, 100}}, {{0, 0, 1280, 1024}, {590, 462, 100, 100}}}},
};

TEST(RootPlacements, MonitorsGiveTheRectanglesToDraw) {
  for (const Row& row : kRows) {
    const auto placements = RootPlacements(row.layout, row.picture, QSize(2560, 1600), row.monitors);
    ASSERT_EQ(placements.size(), row.expected.size()) << row.what;
    for (std::size_t i = 0; i < placements.size(); ++i) {
      EXPECT_EQ(placements[i].area, row.expected[i].area) << row.what << ", placement " << i;
      EXPECT_EQ(placements[i].picture, row.expected[i].picture) << row.what << ", placement " << i;
    }
  }
}

// Whether a part cut from the middle of a 6000 x 4000 (or odd-sized) picture, of the same
// parity, shows what the whole would on every monitor of a 2560 x 1600 root.
struct CoverRow {
  const char* what;
  QSize part;
  QSize whole;
  std::vector<QRect> monitors;
  bool covers;
};

const CoverRow kCoverRows[] = {
    {"the whole picture", {6000, 4000}, {6000, 4000}, {}, true},
    {"the root's size", {2560, 1600}, {6000, 4000}, {}, true},
    {"one pixel short in width", {2558, 1600}, {6000, 4000}, {}, false},
    {"odd difference: another parity", {2561, 1600}, {6000, 4000}, {}, false},
    {"odd picture, its parity kept", {2561, 1601}, {6001, 4001}, {}, true},
    {"the largest of two monitors", {1920, 1200}, {6000, 4000}, {{0, 0, 1920, 1080}, {1920, 0, 640, 1200}}, true},
    {"as large as the smaller monitor only",
     {640, 1080},
     {6000, 4000},
     {{0, 0, 1920, 1080}, {1920, 0, 640, 1200}},
     false},
    {"smaller picture than the monitor on one axis", {1920, 900}, {6000, 900}, {{0, 0, 1920, 1080}}, true},
    {"a monitor reaching beyond the root counts clipped", {2560, 1600}, {6000, 4000}, {{0, 0, 3000, 2000}}, true},
    {"larger than the whole", {6002, 4000}, {6000, 4000}, {}, false},
};

TEST(PartCoversMonitors, OnlyAPartAsLargeAsEveryMonitorWithThePicturesParity) {
  for (const CoverRow& row : kCoverRows)
    EXPECT_EQ(PartCoversMonitors(row.part, row.whole, QSize(2560, 1600), row.monitors), row.covers) << row.what;
}

}  // namespace
