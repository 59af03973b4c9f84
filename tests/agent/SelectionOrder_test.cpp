#include "agent/SelectionOrder.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "agent/ScriptedRandom.h"

namespace {

TSelectionView View(const std::vector<int>& marks, int cur) {
  return {static_cast<int>(marks.size()), cur, [marks](int i) { return marks.at(i); }};
}

struct SequentialCase {
  int count;
  int cur;
  int next;
};

TEST(SelectionOrder, SequentialStepsAndWraps) {
  const SequentialCase cases[] = {{3, 0, 1}, {3, 1, 2}, {3, 2, 0}, {1, 0, 0}, {2, 1, 0}};
  for (const auto& c : cases) {
    TScriptedRandom random{};
    const TNextPick pick = SetNextIndex(DisplayOrder::Sequential, View(std::vector<int>(c.count, 0), c.cur), 7, random);
    EXPECT_EQ(pick.index, c.next) << c.count << "/" << c.cur;
    EXPECT_FALSE(pick.newCycle);
    EXPECT_EQ(pick.cycleRemaining, 7);
    EXPECT_TRUE(random.asked.empty());
  }
}

TEST(SelectionOrder, EmptyListPicksNothing) {
  TScriptedRandom random{};
  for (DisplayOrder order : {DisplayOrder::Sequential, DisplayOrder::Random, DisplayOrder::RandomCycle}) {
    const TNextPick pick = SetNextIndex(order, View({}, -1), 0, random);
    EXPECT_EQ(pick.index, -1);
    EXPECT_FALSE(pick.newCycle);
  }
  EXPECT_TRUE(random.asked.empty());
}

TEST(SelectionOrder, RandomRedrawsTheCurrentEntry) {
  TScriptedRandom random{2, 2, 0};
  const TNextPick pick = SetNextIndex(DisplayOrder::Random, View({0, 0, 0, 0}, 2), 5, random);
  EXPECT_EQ(pick.index, 0);
  EXPECT_EQ(random.asked, (std::vector<int>{4, 4, 4}));
  EXPECT_EQ(pick.cycleRemaining, 5);
}

TEST(SelectionOrder, RandomOnOneEntryDrawsNothing) {
  TScriptedRandom random{};
  EXPECT_EQ(SetNextIndex(DisplayOrder::Random, View({0}, 0), 0, random).index, 0);
  EXPECT_TRUE(random.asked.empty());
}

TEST(SelectionOrder, RandomNeverRepeatsAndAlternatesOnTwo) {
  TClockSeededRandom random(12345);
  int cur = 0;
  for (int i = 0; i < 200; ++i) {
    const int next = SetNextIndex(DisplayOrder::Random, View({0, 0}, cur), 0, random).index;
    EXPECT_EQ(next, 1 - cur);
    cur = next;
  }
  std::set<int> seen;
  for (int i = 0; i < 500; ++i) {
    const int next = SetNextIndex(DisplayOrder::Random, View(std::vector<int>(6, 0), cur), 0, random).index;
    ASSERT_NE(next, cur);
    ASSERT_GE(next, 0);
    ASSERT_LT(next, 6);
    seen.insert(next);
    cur = next;
  }
  EXPECT_EQ(seen.size(), 6u);
}

struct CycleCase {
  const char* name;
  std::vector<int> marks;
  int cur;
  std::int32_t cycleRemaining;
  std::initializer_list<int> draws;
  int index;
  bool newCycle;
  std::int32_t cycleRemainingAfter;
  std::vector<int> asked;
};

TEST(SelectionOrder, RandomCycleCases) {
  const CycleCase cases[] = {
      {"walk to the r-th unmarked entry", {1, 0, 1, 0}, 0, 2, {1}, 3, false, 1, {2}},
      {"marks of -1 are not unmarked", {-1, 0, -1, 0}, 0, 2, {0}, 1, false, 1, {2}},
      {"fewer unmarked entries than the draw falls back to 0", {1, 0, 1}, 2, 3, {2}, 0, false, 2, {3}},
      {"only the first unmarked entries can come", {0, 0, 0, 0}, 3, 2, {1}, 1, false, 1, {2}},
      {"the current entry is drawn again", {0, 0, 0}, 1, 3, {1, 1, 2}, 2, false, 2, {3, 3, 3}},
      {"the last pick of a cycle may repeat", {1, 0}, 1, 1, {0}, 1, false, 0, {1}},
      {"one entry is never drawn again", {1}, 0, 4, {3}, 0, false, 3, {4}},
      {"a spent cycle starts over", {1, 1, 1}, 1, 0, {2}, 2, true, 2, {3}},
      {"a fresh cycle avoids the current entry", {1, 1, 1}, 2, 0, {2, 0}, 0, true, 2, {3, 3}},
      // Only entry 0 can come out while it is the current one: a new cycle begins.
      {"only the current entry, first and sole unmarked", {0, 1, 1}, 0, 2, {0, 0, 1}, 1, true, 2, {2, 3, 3}},
      {"only the current entry, nothing unmarked", {1, 1, 1}, 0, 3, {2, 2}, 2, true, 2, {3, 3}},
      {"the fallback entry differs from the current one", {1, 1, 1}, 1, 3, {2}, 0, false, 2, {3}},
  };
  for (const auto& c : cases) {
    TScriptedRandom random(c.draws);
    const TNextPick pick = SetNextIndex(DisplayOrder::RandomCycle, View(c.marks, c.cur), c.cycleRemaining, random);
    EXPECT_EQ(pick.index, c.index) << c.name;
    EXPECT_EQ(pick.newCycle, c.newCycle) << c.name;
    EXPECT_EQ(pick.cycleRemaining, c.cycleRemainingAfter) << c.name;
    EXPECT_EQ(random.asked, c.asked) << c.name;
    EXPECT_TRUE(random.Exhausted()) << c.name;
  }
}

// The form's side of a cycle: each applied pick gets its mark; a new cycle clears them.
TEST(SelectionOrder, RandomCycleShowsEveryEntryOncePerCycle) {
  TClockSeededRandom random(777);
  const int count = 9;
  std::vector<int> marks(count, 0);
  std::int32_t remaining = count;
  int cur = 0;
  for (int cycle = 0; cycle < 40; ++cycle) {
    std::set<int> shown;
    for (int i = 0; i < count; ++i) {
      const TNextPick pick = SetNextIndex(DisplayOrder::RandomCycle, View(marks, cur), remaining, random);
      EXPECT_EQ(pick.newCycle, cycle > 0 && i == 0);
      if (pick.newCycle) marks.assign(count, 0);
      ASSERT_NE(pick.index, cur);
      ASSERT_EQ(marks.at(pick.index), 0);
      marks[pick.index] = 1;
      shown.insert(pick.index);
      remaining = pick.cycleRemaining;
      cur = pick.index;
    }
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(remaining, 0);
  }
}

}  // namespace
