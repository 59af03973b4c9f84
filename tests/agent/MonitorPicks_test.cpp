// The entries the further monitors take when each monitor shows its own: a table per order.
#include "agent/MonitorPicks.h"

#include <gtest/gtest.h>

#include "agent/ScriptedRandom.h"

namespace {

struct PickCase {
  const char* name;
  DisplayOrder order;
  std::vector<int> marks;  // one per entry
  int current;             // the primary monitor's entry
  int further;
  std::int32_t cycleRemaining;
  std::vector<int> draws;
  std::vector<int> picks;
  std::vector<int> ranges;  // what the random source was asked for
  bool newCycle;
  std::int32_t cycleAfter;
};

class MonitorPicksTest : public ::testing::TestWithParam<PickCase> {};

TEST_P(MonitorPicksTest, FurtherMonitorsTakeTheNextEntriesByTheOrder) {
  const PickCase& c = GetParam();
  TScriptedRandom random{};
  for (const int draw : c.draws) random.Add({draw});
  const TSelectionView view{static_cast<int>(c.marks.size()), c.current, [&c](int i) { return c.marks[i]; }};
  const TMonitorPicks picks = PickFurtherEntries(c.order, view, c.further, c.cycleRemaining, random);
  EXPECT_EQ(picks.indexes, c.picks);
  EXPECT_EQ(random.asked, c.ranges);
  EXPECT_EQ(picks.newCycle, c.newCycle);
  EXPECT_EQ(picks.cycleRemaining, c.cycleAfter);
}

constexpr auto Sequential = DisplayOrder::Sequential;
constexpr auto Random = DisplayOrder::Random;
constexpr auto Cycle = DisplayOrder::RandomCycle;

INSTANTIATE_TEST_SUITE_P(
    Orders, MonitorPicksTest,
    ::testing::Values(
        PickCase{"sequential follows and wraps", Sequential, {0, 0, 0, 0}, 2, 2, 0, {}, {3, 0}, {}, false, 0},
        PickCase{
            "sequential list shorter than monitors repeats", Sequential, {0, 0}, 1, 3, 0, {}, {0, 1, 0}, {}, false, 0},
        // Random draws among the entries not yet shown in this change: 4 entries, current 1,
        // so 3 candidates {0, 2, 3}, then 2 {0, 3}.
        PickCase{
            "random avoids this change's entries", Random, {0, 0, 0, 0}, 1, 2, 0, {1, 1}, {2, 3}, {3, 2}, false, 0},
        PickCase{"random with every entry shown repeats", Random, {0, 0}, 0, 2, 0, {0, 1}, {1, 1}, {1, 2}, false, 0},
        // Random Cycle: unmarked entries not picked now are {1, 3} (0 marked, 2 current).
        PickCase{"cycle skips marked and picked", Cycle, {1, 0, 1, 0}, 2, 1, 2, {1}, {3}, {2}, false, 1},
        // Only entry 3 is left: it is taken, and the next monitor begins a new cycle whose
        // candidates leave out 2 and 3, picked in this change.
        PickCase{"cycle running out begins again keeping this change's marks",
                 Cycle,
                 {1, 1, 1, 0},
                 2,
                 2,
                 1,
                 {0, 1},
                 {3, 1},
                 {1, 2},
                 true,
                 1},
        PickCase{"cycle list shorter than monitors repeats", Cycle, {0, 0}, 0, 2, 1, {0, 0}, {1, 0}, {1, 2}, true, 0}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

}  // namespace
