#include "agent/RandomSource.h"

#include <chrono>

TClockSeededRandom::TClockSeededRandom()
    : engine_(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

int TClockSeededRandom::Next(int n) {
  if (n < 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}
