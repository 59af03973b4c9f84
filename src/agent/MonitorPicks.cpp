#include "agent/MonitorPicks.h"

#include <algorithm>

namespace {

bool Picked(const std::vector<int>& picked, int index) {
  return std::find(picked.begin(), picked.end(), index) != picked.end();
}

// Entries not picked in this change (and unmarked, when marks count); all of them when none is left.
std::vector<int> Candidates(const TSelectionView& list, const std::vector<int>& picked, bool unmarkedOnly) {
  std::vector<int> candidates;
  for (int i = 0; i < list.count; ++i)
    if (!Picked(picked, i) && (!unmarkedOnly || list.mark(i) == 0)) candidates.push_back(i);
  return candidates;
}

}  // namespace

TMonitorPicks PickFurtherEntries(DisplayOrder order, const TSelectionView& list, int furtherMonitors,
                                 std::int32_t cycleRemaining, IRandomSource& random) {
  TMonitorPicks picks{{}, false, cycleRemaining};
  if (list.count < 1 || list.cur < 0) return picks;
  std::vector<int> picked{list.cur};
  for (int monitor = 0; monitor < furtherMonitors; ++monitor) {
    int next = 0;
    switch (order) {
      case DisplayOrder::Sequential:
        next = (picked.back() + 1) % list.count;
        break;
      case DisplayOrder::Random: {
        std::vector<int> candidates = Candidates(list, picked, false);
        if (candidates.empty()) candidates = Candidates(list, {}, false);
        next = candidates[random.Next(static_cast<int>(candidates.size()))];
        break;
      }
      case DisplayOrder::RandomCycle: {
        // Marks set in this change count as set, whatever the view says.
        const TSelectionView marked{list.count, list.cur, [&list, &picked, &picks](int i) {
                                      if (Picked(picked, i)) return 1;
                                      return picks.newCycle ? 0 : list.mark(i);
                                    }};
        std::vector<int> candidates = Candidates(marked, picked, true);
        if (candidates.empty() || picks.cycleRemaining <= 0) {
          picks.newCycle = true;
          picks.cycleRemaining =
              list.count - static_cast<std::int32_t>(std::min<std::size_t>(picked.size(), list.count));
          candidates = Candidates(marked, picked, true);
        }
        if (candidates.empty()) candidates = Candidates(list, {}, false);
        next = candidates[random.Next(static_cast<int>(candidates.size()))];
        picks.cycleRemaining = std::max<std::int32_t>(0, picks.cycleRemaining - 1);
        break;
      }
    }
    picked.push_back(next);
    picks.indexes.push_back(next);
  }
  return picks;
}
