// The random source behind the Random and Random Cycle orders. The program seeds one
// generator from the clock at start-up; tests give a scripted source instead.
#pragma once

#include <cstdint>
#include <random>

class IRandomSource {
 public:
  virtual ~IRandomSource() = default;
  // A uniform integer in 0..n-1; 0 when n is below 1.
  virtual int Next(int n) = 0;
};

class TClockSeededRandom final : public IRandomSource {
 public:
  TClockSeededRandom();
  explicit TClockSeededRandom(std::uint32_t seed) : engine_(seed) {}
  int Next(int n) override;

 private:
  std::mt19937 engine_;
};
