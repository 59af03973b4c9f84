#include "agent/MonitorPlan.h"

#include <gtest/gtest.h>

#include "agent/ScriptedRandom.h"

namespace {

std::vector<TMonitor> Monitors(int count) {
  std::vector<TMonitor> monitors;
  for (int i = 0; i < count; ++i)
    monitors.push_back({"OUT-" + std::to_string(i), QRect(i * 100, 0, 100 + i, 50), i == 0});
  return monitors;
}

}  // namespace

TEST(MonitorPlan, EachFurtherMonitorGetsItsEntryAtItsOwnSize) {
  TImageList list;
  list.SetSorted(false);
  for (const char* name : {"/a", "/b", "/c", "/d"}) list.Append({name, DispObj::Tile, -1});
  list.SetSelected(1, true);
  std::int32_t remaining = 0;
  TScriptedRandom random({});
  const TMonitorPlan plan = PlanFurtherMonitors(list, DisplayOrder::Sequential, Monitors(3), remaining, random);
  ASSERT_EQ(plan.sources.size(), 2u);
  EXPECT_EQ(plan.sources[0].file, "/c");
  EXPECT_EQ(plan.sources[0].area, QSize(101, 50));
  EXPECT_EQ(plan.sources[1].file, "/d");
  EXPECT_EQ(plan.sources[1].area, QSize(102, 50));
  EXPECT_EQ(plan.lastEntry, 3);
  EXPECT_TRUE(PlanFurtherMonitors(list, DisplayOrder::Sequential, Monitors(1), remaining, random).sources.empty());
}

TEST(MonitorPlan, ACycleThatBeginsPartWayKeepsOnlyThisChangesMarks) {
  TImageList list;
  list.SetSorted(false);
  // The primary's entry /b was just marked; only /c was left in the cycle.
  const std::int32_t marks[] = {1, 1, 0, 1};
  for (int i = 0; i < 4; ++i) list.Append({"/" + std::to_string(i), DispObj::Tile, marks[i]});
  list.SetSelected(1, true);
  std::int32_t remaining = 1;
  // The second further monitor finds the cycle used up: a new one begins.
  TScriptedRandom random({0, 0, 0, 0, 0, 0});
  const TMonitorPlan plan = PlanFurtherMonitors(list, DisplayOrder::RandomCycle, Monitors(3), remaining, random);
  ASSERT_EQ(plan.sources.size(), 2u);
  EXPECT_EQ(plan.sources[0].file, "/2");
  for (int i = 0; i < list.Count(); ++i) {
    const bool picked =
        i == 1 || list.At(i).fileName == plan.sources[0].file || list.At(i).fileName == plan.sources[1].file;
    EXPECT_EQ(list.At(i).mark, picked ? 1 : 0) << i;
  }
}

TEST(MonitorPlan, WhenMonitorsGetTheirOwnPictureAndWhenANewLayoutRemakesIt) {
  EXPECT_FALSE(PicturePerMonitor(MonitorMode::Same, 3));
  EXPECT_FALSE(PicturePerMonitor(MonitorMode::Each, 1));
  EXPECT_FALSE(PicturePerMonitor(MonitorMode::Span, 0));
  EXPECT_TRUE(PicturePerMonitor(MonitorMode::Each, 2));
  EXPECT_TRUE(PicturePerMonitor(MonitorMode::Span, 2));

  struct Row {
    bool perMonitor;
    bool desktopStretches;
    const char* lastDisp;
    bool remake;
  };
  const Row rows[] = {
      {true, true, "TILE", true},      {false, false, "STRETCH", true},        {false, true, "STRETCH", false},
      {false, false, "CENTER", false}, {false, false, "RATIO_STRETCH", false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(RemakeOnNewLayout(row.perMonitor, row.desktopStretches, row.lastDisp), row.remake) << row.lastDisp;
}

TEST(MonitorPlan, GoingBackGivesEachMonitorThePictureItShowedThen) {
  TImageList list;
  list.SetSorted(false);
  list.Append({"/a", DispObj::Tile, 0});
  list.Append({"/b", DispObj::Stretch, 1});
  list.Append({"/c", DispObj::Center, 0});
  struct Row {
    std::vector<std::string> step;
    int monitors;
    std::vector<std::string> files;
    int lastEntry;
  };
  const Row rows[] = {
      {{"/a", "/b", "/c"}, 3, {"/b", "/c"}, 2},
      // A monitor added since takes the last picture of that change.
      {{"/a", "/c"}, 3, {"/c", "/c"}, 2},
      {{"/a", "/b", "/c"}, 1, {}, -1},
  };
  for (const Row& row : rows) {
    const std::vector<std::int32_t> marks = {list.At(0).mark, list.At(1).mark, list.At(2).mark};
    const TMonitorPlan plan = ReplayFurtherMonitors(list, row.step, Monitors(row.monitors), DispObj::Tile);
    std::vector<std::string> files;
    for (const MonitorSource& source : plan.sources) files.push_back(source.file);
    EXPECT_EQ(files, row.files) << row.step.size();
    EXPECT_EQ(plan.lastEntry, row.lastEntry);
    if (!plan.sources.empty()) {
      EXPECT_EQ(plan.sources[0].area, QSize(101, 50));
      EXPECT_EQ(plan.sources.back().method, DispObj::Center);
    }
    EXPECT_EQ((std::vector<std::int32_t>{list.At(0).mark, list.At(1).mark, list.At(2).mark}), marks);
  }
}
