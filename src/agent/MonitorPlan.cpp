#include "agent/MonitorPlan.h"

#include <algorithm>

#include "agent/MonitorPicks.h"

TMonitorPlan PlanFurtherMonitors(TImageList& list, DisplayOrder order, const std::vector<TMonitor>& monitors,
                                 std::int32_t& cycleRemaining, IRandomSource& random) {
  const int current = list.FirstSelected();
  const TSelectionView view{list.Count(), current, [&list](int index) { return list.At(index).mark; }};
  const int further = static_cast<int>(monitors.size()) - 1;
  const TMonitorPicks picks = PickFurtherEntries(order, view, further, cycleRemaining, random);
  if (order == DisplayOrder::RandomCycle) {
    // Marks of this change's picks stay when a cycle begins part-way through it.
    for (int i = 0; i < list.Count(); ++i) {
      const bool pickedNow =
          i == current || std::find(picks.indexes.begin(), picks.indexes.end(), i) != picks.indexes.end();
      if (picks.newCycle && !pickedNow) list.SetMark(i, 0);
    }
    for (const int index : picks.indexes) list.SetMark(index, 1);
    cycleRemaining = picks.cycleRemaining;
  }
  TMonitorPlan plan;
  for (std::size_t i = 0; i < picks.indexes.size(); ++i) {
    const ImageEntry& entry = list.At(picks.indexes[i]);
    plan.sources.push_back({entry.fileName, entry.disp, monitors[i + 1].rect.size()});
  }
  if (!picks.indexes.empty()) plan.lastEntry = picks.indexes.back();
  return plan;
}
