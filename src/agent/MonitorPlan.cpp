#include "agent/MonitorPlan.h"

#include <algorithm>

#include "agent/MonitorPicks.h"

bool PicturePerMonitor(MonitorMode mode, std::size_t monitorCount) {
  return mode != MonitorMode::Same && monitorCount > 1;
}

std::vector<std::string> ShownPictures(const std::string& primary, const std::vector<std::string>& further,
                                       std::size_t monitorCount) {
  std::vector<std::string> shown{primary};
  for (std::size_t i = 1; i < monitorCount; ++i) shown.push_back(i - 1 < further.size() ? further[i - 1] : primary);
  return shown;
}

bool RemakeOnNewLayout(bool perMonitor, bool desktopStretches, const std::string& lastDispStr) {
  return perMonitor || (!desktopStretches && lastDispStr == "STRETCH");
}

TMonitorPlan ReplayFurtherMonitors(const TImageList& list, const std::vector<std::string>& step,
                                   const std::vector<TMonitor>& monitors, DispObj defDisp) {
  TMonitorPlan plan;
  for (std::size_t i = 1; i < monitors.size() && !step.empty(); ++i) {
    const std::string& file = step[std::min(i, step.size() - 1)];
    const int index = list.Find(file);
    plan.sources.push_back({file, index >= 0 ? list.At(index).disp : defDisp, monitors[i].rect.size()});
    if (index >= 0) plan.lastEntry = index;
  }
  return plan;
}

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
