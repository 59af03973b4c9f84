// Which entry of the image list becomes the next wallpaper.
//
// Data flow: the form hands over a plain view of its list (entry count, the selected
// index, each entry's random-cycle mark) together with the display order and
// CycleRemaining; SetNextIndex answers the index to select and whether a new random
// cycle began. The form then clears the marks when told to, stores CycleRemaining,
// moves the selection and refreshes the page; the mark of the applied entry is set
// later, when the change has been applied.
#pragma once

#include <cstdint>
#include <functional>

#include "agent/RandomSource.h"
#include "config/ConfigValues.h"

struct TSelectionView {
  int count = 0;
  int cur = -1;
  // Mark of an entry: 1 shown in this cycle, 0 not yet shown, -1 no mark state yet.
  // Read only in Random Cycle order.
  std::function<int(int index)> mark;
};

struct TNextPick {
  int index = 0;
  // A new cycle began: every mark is to be cleared (Reset Marked).
  bool newCycle = false;
  std::int32_t cycleRemaining = 0;
};

// Random Cycle: the r-th unmarked entry for a uniform r below CycleRemaining (entry 0
// when the list holds fewer unmarked entries), drawn again while it is the current entry
// and a repeat is not allowed. When only the current entry can come out, a new cycle
// begins and the pick is drawn once more; if even then only the current entry can come
// out, it is taken.
TNextPick RandomCycleIndex(const TSelectionView& list, std::int32_t cycleRemaining, IRandomSource& random);

// The next index by the display order; CycleRemaining passes through unchanged outside
// Random Cycle order.
TNextPick SetNextIndex(DisplayOrder order, const TSelectionView& list, std::int32_t cycleRemaining,
                       IRandomSource& random);
