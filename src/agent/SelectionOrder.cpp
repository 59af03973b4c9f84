#include "agent/SelectionOrder.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<int> UnmarkedIndexes(const TSelectionView& list, bool marksCleared) {
  std::vector<int> unmarked;
  for (int i = 0; i < list.count; ++i) {
    if (marksCleared || list.mark(i) == 0) unmarked.push_back(i);
  }
  return unmarked;
}

// The walk to the r-th unmarked entry; entry 0 when there are not that many.
int Walk(const std::vector<int>& unmarked, int r) {
  return r >= 0 && r < static_cast<int>(unmarked.size()) ? unmarked[r] : 0;
}

// How many of the draws 0..cycleRemaining-1 lead to another entry than cur.
std::int64_t OtherOutcomes(const std::vector<int>& unmarked, std::int32_t cycleRemaining, int cur) {
  const auto size = static_cast<std::int64_t>(unmarked.size());
  const std::int64_t within = std::min<std::int64_t>(cycleRemaining, size);
  const bool curWithin = std::find(unmarked.begin(), unmarked.begin() + within, cur) != unmarked.begin() + within;
  std::int64_t others = within - (curWithin ? 1 : 0);
  if (cur != 0) others += std::max<std::int64_t>(0, cycleRemaining - size);
  return others;
}

}  // namespace

TNextPick RandomCycleIndex(const TSelectionView& list, std::int32_t cycleRemaining, IRandomSource& random) {
  TNextPick pick{-1, false, cycleRemaining};
  if (list.count < 1) return pick;
  const auto beginCycle = [&] {
    pick.newCycle = true;
    pick.cycleRemaining = list.count;
  };
  if (pick.cycleRemaining <= 0) beginCycle();
  for (;;) {
    const std::vector<int> unmarked = UnmarkedIndexes(list, pick.newCycle);
    int result = Walk(unmarked, random.Next(pick.cycleRemaining));
    const bool repeatForbidden = result == list.cur && list.count > 1 && pick.cycleRemaining != 1;
    if (!repeatForbidden) {
      pick.index = result;
      break;
    }
    if (OtherOutcomes(unmarked, pick.cycleRemaining, list.cur) > 0) {
      while (result == list.cur) result = Walk(unmarked, random.Next(pick.cycleRemaining));
      pick.index = result;
      break;
    }
    if (pick.newCycle) {
      pick.index = result;
      break;
    }
    beginCycle();
  }
  pick.cycleRemaining -= 1;
  return pick;
}

TNextPick SetNextIndex(DisplayOrder order, const TSelectionView& list, std::int32_t cycleRemaining,
                       IRandomSource& random) {
  if (list.count < 1) return {-1, false, cycleRemaining};
  switch (order) {
    case DisplayOrder::RandomCycle:
      return RandomCycleIndex(list, cycleRemaining, random);
    case DisplayOrder::Random: {
      if (list.count == 1) return {0, false, cycleRemaining};
      int next = random.Next(list.count);
      while (next == list.cur) next = random.Next(list.count);
      return {next, false, cycleRemaining};
    }
    case DisplayOrder::Sequential:
      break;
  }
  return {list.cur + 1 == list.count ? 0 : list.cur + 1, false, cycleRemaining};
}
