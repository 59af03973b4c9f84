// The plan of a change on several monitors that show an entry each: which entry each further
// monitor shows, at which size, and what the picks do to the list's random-cycle marks.
#pragma once

#include <cstdint>
#include <vector>

#include "agent/RandomSource.h"
#include "agent/SelectionOrder.h"
#include "imagelist/ImageList.h"
#include "platform/screen/ScreenMetrics.h"
#include "wallpaper/PictureJobs.h"

struct TMonitorPlan {
  // One per further monitor, in monitor order after the primary.
  std::vector<MonitorSource> sources;
  // The last further monitor's entry, where the display order goes on; -1 with none.
  int lastEntry = -1;
};

// The primary monitor (monitors.front()) shows the list's current entry. In Random Cycle
// order every pick is marked shown, and a cycle that begins part-way through the change
// clears every other mark; cycleRemaining follows.
TMonitorPlan PlanFurtherMonitors(TImageList& list, DisplayOrder order, const std::vector<TMonitor>& monitors,
                                 std::int32_t& cycleRemaining, IRandomSource& random);
