// Which entries the further monitors show when every monitor takes its own picture: the
// primary monitor's entry is the display order's usual pick; each further monitor takes the
// next one by the same order after the previous monitor's.
//
// Sequential: the following entries, wrapping. Random: other random entries, each different
// from those already picked in this change while the list has any left. Random Cycle:
// further picks through the same cycle, each marked, skipping entries already picked in this
// change; a cycle that runs out part-way starts again, keeping the marks of this change. A
// list shorter than the monitors repeats entries.
#pragma once

#include <cstdint>
#include <vector>

#include "agent/RandomSource.h"
#include "agent/SelectionOrder.h"

struct TMonitorPicks {
  std::vector<int> indexes;  // one per further monitor
  // A new random cycle began: every mark but those of this change's picks is to be cleared.
  bool newCycle = false;
  std::int32_t cycleRemaining = 0;
};

// list.cur is the primary monitor's entry, already picked (and in Random Cycle, marked).
TMonitorPicks PickFurtherEntries(DisplayOrder order, const TSelectionView& list, int furtherMonitors,
                                 std::int32_t cycleRemaining, IRandomSource& random);
