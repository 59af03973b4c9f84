// A clock that stands still until the test moves it.
#pragma once

#include "platform/system/Clock.h"

class TFixedClock final : public IClock {
 public:
  double Now() const override { return now; }
  double now = 45000.5;
};
