#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/screen/X11ScreenMetrics.h"
#include "support/XrandrMonitors.h"

namespace {

std::vector<QRect> Rects(const std::vector<TMonitor>& monitors) {
  std::vector<QRect> rects;
  for (const TMonitor& monitor : monitors) rects.push_back(monitor.rect);
  return rects;
}

// With the server's own single monitor the answer is Qt's own.
TEST(X11ScreenMetrics, TheServersOwnMonitorIsWhatQtSees) {
  const TX11ScreenMetrics ours;
  const TQtScreenMetrics qt;
  EXPECT_EQ(ours.ScreenSize(), qt.ScreenSize());
  EXPECT_EQ(ours.ScreenColorDepth(), qt.ScreenColorDepth());
  ASSERT_EQ(ours.Monitors().size(), 1u);
  EXPECT_EQ(Rects(ours.Monitors()), Rects(qt.Monitors()));
  EXPECT_TRUE(ours.Monitors().front().primary);
}

// The primary monitor first, whichever it is, then the others left to right and top to
// bottom; the screen's size is the primary one's.
TEST(X11ScreenMetrics, RandrMonitorsComePrimaryFirst) {
  struct Row {
    std::vector<QRect> set;
    std::size_t primary;
    std::vector<QRect> expected;
  };
  const std::vector<Row> rows = {
      {{{0, 0, 600, 500}, {600, 0, 424, 300}}, 1, {{600, 0, 424, 300}, {0, 0, 600, 500}}},
      {{{500, 0, 524, 400}, {0, 300, 500, 468}, {0, 0, 500, 300}},
       0,
       {{500, 0, 524, 400}, {0, 0, 500, 300}, {0, 300, 500, 468}}},
  };
  for (const Row& row : rows) {
    const TXrandrMonitors monitors(row.set, row.primary);
    ASSERT_TRUE(monitors.Ok()) << "xrandr --setmonitor failed";
    const TX11ScreenMetrics metrics;
    EXPECT_EQ(Rects(metrics.Monitors()), row.expected);
    EXPECT_EQ(metrics.ScreenSize(), row.expected.front().size());
    for (std::size_t i = 0; i < metrics.Monitors().size(); ++i) {
      EXPECT_EQ(metrics.Monitors()[i].primary, i == 0);
      EXPECT_FALSE(metrics.Monitors()[i].name.empty());
    }
  }
}

TEST(X11ScreenMetrics, ADisplayThatCannotBeOpenedIsAnError) {
  EXPECT_THROW(TX11ScreenMetrics(":987"), std::runtime_error);
}

}  // namespace
