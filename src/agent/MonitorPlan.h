// The plan of a change on several monitors that show an entry each: which entry each further
// monitor shows, at which size, and what the picks do to the list's random-cycle marks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "agent/RandomSource.h"
#include "agent/SelectionOrder.h"
#include "config/ConfigValues.h"
#include "imagelist/ImageList.h"
#include "platform/screen/ScreenMetrics.h"
#include "wallpaper/PictureJobs.h"

// Whether every monitor gets a picture of its own ("Next image on each", "One image across
// all" on more than one monitor) rather than one picture for all.
bool PicturePerMonitor(MonitorMode mode, std::size_t monitorCount);

// Whether a new monitor layout remakes the wallpaper: pictures made per monitor are made
// again for the new layout; one picture is remade only when the program stretched it.
bool RemakeOnNewLayout(bool perMonitor, bool desktopStretches, const std::string& lastDispStr);

// The picture each of monitorCount monitors shows, the primary's (primary) first: a further
// monitor's own where it has one (further, in monitor order), else the primary's, as with one
// picture for every monitor or across them.
std::vector<std::string> ShownPictures(const std::string& primary, const std::vector<std::string>& further,
                                       std::size_t monitorCount);

struct TMonitorPlan {
  // One per further monitor, in monitor order after the primary.
  std::vector<MonitorSource> sources;
  // The last further monitor's entry, where the display order goes on; -1 with none.
  int lastEntry = -1;
};

// The further monitors of an earlier change shown again: each takes the picture it showed
// then (step, the primary's first), with its entry's method now; a monitor that was not there
// then takes the last of them. The marks stay.
TMonitorPlan ReplayFurtherMonitors(const TImageList& list, const std::vector<std::string>& step,
                                   const std::vector<TMonitor>& monitors, DispObj defDisp);

// The primary monitor (monitors.front()) shows the list's current entry. In Random Cycle
// order every pick is marked shown, and a cycle that begins part-way through the change
// clears every other mark; cycleRemaining follows.
TMonitorPlan PlanFurtherMonitors(TImageList& list, DisplayOrder order, const std::vector<TMonitor>& monitors,
                                 std::int32_t& cycleRemaining, IRandomSource& random);
