// A random source that always draws the first of the n choices.
#pragma once

#include "agent/RandomSource.h"

class TFirstRandom final : public IRandomSource {
 public:
  int Next(int) override { return 0; }
};
