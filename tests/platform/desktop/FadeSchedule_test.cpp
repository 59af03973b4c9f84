#include "platform/desktop/x11/FadeSchedule.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;

TEST(FadeAlpha, RisesEvenlyFromNothingToAllOverTheDuration) {
  struct Row {
    int elapsed;
    int duration;
    unsigned short alpha;
  };
  const Row rows[] = {
      {0, 500, 0},       {-5, 500, 0},         {1, 500, 131},        {250, 500, 32767},
      {125, 500, 16383}, {499, 500, 65403},    {500, 500, 0xffff},   {900, 500, 0xffff},
      {0, 0, 0xffff},    {5000, 10000, 32767}, {9999, 10000, 65528}, {10000, 10000, 0xffff},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FadeAlpha(milliseconds(row.elapsed), milliseconds(row.duration)), row.alpha)
        << row.elapsed << " of " << row.duration;
}

TEST(NextFadeStep, TheMaskBringsTheFramesShareToTheAlpha) {
  struct Row {
    double held;
    unsigned short alpha;
    FadeStep step;
  };
  const Row rows[] = {
      {0, 0, {0, 0}},
      {0, 0xffff, {255, 1}},
      {0, 32767, {127, 127 / 255.0}},
      {0.5, 0xffff, {255, 1}},
      {0.5, 49151, {127, 1 - 0.5 * 128 / 255.0}},
      {0.6, 32767, {0, 0.6}},  // the frame holds more already: left as it is
      {1, 0xffff, {0, 1}},
  };
  for (const Row& row : rows) {
    const FadeStep step = NextFadeStep(row.held, row.alpha);
    EXPECT_EQ(step.mask, row.step.mask) << row.held << " " << row.alpha;
    EXPECT_NEAR(step.held, row.step.held, 1e-9) << row.held << " " << row.alpha;
  }
}

// Two frames taking turns over a whole fade: each frame's share stays within one mask step of
// the alpha asked for.
TEST(NextFadeStep, FramesTakingTurnsFollowTheAlpha) {
  double held[2] = {0, 0};
  for (int frame = 1; frame <= 30; ++frame) {
    const unsigned short alpha = FadeAlpha(milliseconds(frame * 17), milliseconds(500));
    const FadeStep step = NextFadeStep(held[frame % 2], alpha);
    held[frame % 2] = step.held;
    EXPECT_NEAR(step.held, alpha / 65535.0, 1.0 / 255) << frame;
  }
}

TEST(ModeRate, DotClockOverTheTotalsWithInterlaceAndDoubleScan) {
  struct Row {
    unsigned long dotClock;
    unsigned hTotal;
    unsigned vTotal;
    bool interlaced;
    bool doubleScan;
    double rate;
  };
  const Row rows[] = {
      {148500000, 2200, 1125, false, false, 60.0},                                              // 1920x1080 at 60 Hz
      {297000000, 2200, 1125, false, false, 120.0}, {74250000, 2200, 1125, true, false, 60.0},  // 1080i
      {25175000, 800, 525, false, true, 29.97},                                                 // 640x480 doubled lines
      {0, 2200, 1125, false, false, 0.0},  // a virtual server's mode
      {148500000, 0, 1125, false, false, 0.0},      {148500000, 2200, 0, false, false, 0.0},
  };
  for (const Row& row : rows)
    EXPECT_NEAR(ModeRate(row.dotClock, row.hTotal, row.vTotal, row.interlaced, row.doubleScan), row.rate, 0.01)
        << row.dotClock;
}

TEST(FrameInterval, TheFastestMonitorUpToSixtyAFrame) {
  struct Row {
    std::vector<double> rates;
    int interval;
  };
  const Row rows[] = {
      {{}, 17},     {{0.0}, 17},        {{60.0}, 17}, {{59.94}, 17},     {{144.0}, 17},
      {{50.0}, 20}, {{30.0, 50.0}, 20}, {{24.0}, 42}, {{0.0, 30.0}, 34}, {{75.0, 0.0}, 17},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FrameInterval(row.rates), milliseconds(row.interval)) << (row.rates.empty() ? 0 : row.rates[0]);
}

}  // namespace
