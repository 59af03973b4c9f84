#include "agent/Scheduler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double kBase = 46000.25;  // a morning in late 2025
constexpr double kMsPerDay = 86400000.0;

double AfterMs(double start, double ms) { return start + ms / kMsPerDay; }
double AfterSeconds(double start, double seconds) { return AfterMs(start, seconds * 1000.0); }

TEST(Scheduler, ElapsedTimeParts) {
  struct Case {
    double days;
    std::int32_t seconds;
    std::uint16_t minutesOfDay;
  };
  const Case cases[] = {
      {0, 0, 0},
      {10.0 / 86400, 10, 0},
      {9.9994 / 86400, 9, 0},  // milliseconds are dropped
      {0.5, 43200, 720},
      {1 + 1.5 / 24, 86400 + 5400, 90},  // whole days do not count towards the minutes
      {1000, 86400000, 0},
      {-0.5, -43200, 0},
      {1e9, 2147483647, 0},  // held in the 32-bit range
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WholeSecondsBetween(kBase, kBase + c.days), c.seconds) << c.days;
    EXPECT_EQ(MinutesOfDayBetween(kBase, kBase + c.days), c.minutesOfDay) << c.days;
  }
}

struct ChangeCase {
  const char* name;
  TriggerMeasure measure;
  const char* qty;
  double elapsedSeconds;
  bool due;
  std::int32_t interval;
};

TEST(Scheduler, PeriodMeasures) {
  const ChangeCase cases[] = {
      {"just changed", TriggerMeasure::Seconds, "10", 0, false, 15},
      {"second second", TriggerMeasure::Seconds, "10", 1.2, false, 14},
      {"last second", TriggerMeasure::Seconds, "10", 9.999, false, 6},
      {"due at the period", TriggerMeasure::Seconds, "10", 10, true, 10},
      {"due after it", TriggerMeasure::Seconds, "10", 37, true, 10},
      {"zero counts as one", TriggerMeasure::Seconds, "0", 0, false, 6},
      {"zero counts as one, due", TriggerMeasure::Seconds, "0", 1, true, 1},
      {"minutes", TriggerMeasure::Minutes, "5", 299, false, 6},
      {"minutes due", TriggerMeasure::Minutes, "5", 300, true, 300},
      {"hours", TriggerMeasure::Hours, "2", 0, false, 7205},
      {"days", TriggerMeasure::Days, "1", 86399, false, 6},
      {"days due", TriggerMeasure::Days, "1", 86400, true, 86400},
      {"99 days", TriggerMeasure::Days, "99", 0, false, 8553605},
      {"99 days after the default moment", TriggerMeasure::Days, "99", 1000 * 86400.0, true, 8553600},
      {"blanks around the quantity", TriggerMeasure::Seconds, " 3", 0, false, 8},
  };
  for (const auto& c : cases) {
    TChangeInput input;
    input.execQtyText = c.qty;
    input.entrySelected = true;
    input.measure = c.measure;
    input.lastChgDateTime = kBase;
    input.now = AfterSeconds(kBase, c.elapsedSeconds);
    input.execSinceChg = 4;
    const TChangeDecision decision = DecideChange(input);
    EXPECT_EQ(decision.due, c.due) << c.name;
    EXPECT_EQ(decision.interval, c.interval) << c.name;
    EXPECT_FALSE(decision.execCounted) << c.name;
    EXPECT_EQ(decision.execSinceChg, 4) << c.name;
    EXPECT_FALSE(decision.writeExecSinceChg) << c.name;
  }
}

struct ExecCase {
  const char* name;
  const char* qty;
  bool counted;
  std::int32_t since;
  bool due;
  std::int32_t sinceAfter;
  bool write;
};

TEST(Scheduler, ExecutionsMeasure) {
  const ExecCase cases[] = {
      {"once every run", "1", false, 0, true, 1, false},
      {"first of three", "3", false, 0, false, 1, true},
      {"second of three", "3", false, 1, false, 2, true},
      {"third of three", "3", false, 2, true, 3, false},
      {"a run counts once", "3", true, 1, false, 1, true},
      {"a changed run counts nothing", "1", true, 0, false, 0, true},
      {"zero counts as one", "0", false, 0, true, 1, false},
      {"a huge count stays due", "2", false, 2147483647, true, 2147483647, false},
  };
  for (const auto& c : cases) {
    TChangeInput input;
    input.execQtyText = c.qty;
    input.entrySelected = true;
    input.measure = TriggerMeasure::Executions;
    input.lastChgDateTime = kBase;
    input.now = kBase + 5;
    input.execCounted = c.counted;
    input.execSinceChg = c.since;
    const TChangeDecision decision = DecideChange(input);
    EXPECT_EQ(decision.due, c.due) << c.name;
    EXPECT_TRUE(decision.execCounted) << c.name;
    EXPECT_EQ(decision.execSinceChg, c.sinceAfter) << c.name;
    EXPECT_EQ(decision.writeExecSinceChg, c.write) << c.name;
    EXPECT_EQ(decision.interval, 0) << c.name;
  }
}

TEST(Scheduler, NoChangeWithoutSelectionOrWhileTheScreenSaverRuns) {
  TChangeInput input;
  input.execQtyText = "1";
  input.measure = TriggerMeasure::Executions;
  input.lastChgDateTime = kBase - 1000;
  input.now = kBase;

  input.entrySelected = false;
  TChangeDecision decision = DecideChange(input);
  EXPECT_FALSE(decision.due);
  EXPECT_FALSE(decision.execCounted);
  EXPECT_EQ(decision.execSinceChg, 0);
  EXPECT_FALSE(decision.writeExecSinceChg);
  EXPECT_EQ(decision.interval, 0);

  input.entrySelected = true;
  input.screenSaverRunning = true;
  input.execQtyText = "not a number";  // never read while the saver runs
  decision = DecideChange(input);
  EXPECT_FALSE(decision.due);
  EXPECT_FALSE(decision.execCounted);
  EXPECT_EQ(decision.interval, kScreenSaverInterval);

  input.screenSaverRunning = false;
  input.execQtyText = "1";
  input.measure = static_cast<TriggerMeasure>(-1);  // no item chosen in the measure box
  decision = DecideChange(input);
  EXPECT_FALSE(decision.due);
  EXPECT_EQ(decision.interval, 0);

  input.execQtyText = "not a number";
  EXPECT_THROW(DecideChange(input), TConvertError);
  input.entrySelected = false;
  EXPECT_THROW(DecideChange(input), TConvertError);
}

// Runs the schedule on a simulated clock: each tick comes after the interval the previous
// one asked for, and a due tick records the change at that moment.
struct TSimulation {
  std::vector<std::int32_t> intervals;
  std::vector<double> changes;
};

TSimulation Simulate(TriggerMeasure measure, const char* qty, double lastChange, double now, double until) {
  TSimulation run;
  TChangeInput input;
  input.execQtyText = qty;
  input.entrySelected = true;
  input.measure = measure;
  input.lastChgDateTime = lastChange;
  input.now = now;
  while (input.now < until) {
    const TChangeDecision decision = DecideChange(input);
    if (decision.due) {
      input.lastChgDateTime = input.now;
      run.changes.push_back(input.now);
    }
    if (decision.interval < 1) break;
    run.intervals.push_back(decision.interval);
    input.now = AfterMs(input.now, decision.interval);
  }
  return run;
}

TEST(Scheduler, TenSecondScheduleTickIntervals) {
  const TSimulation run = Simulate(TriggerMeasure::Seconds, "10", kBase - 1000, kBase, AfterSeconds(kBase, 35));
  // The change at once, then 10 ms; 15 ms ticks at 10, 25, ... 985 ms; 14 ms from 1 s on.
  std::vector<std::int32_t> expected = {10};
  expected.insert(expected.end(), 66, 15);
  expected.push_back(14);
  ASSERT_GT(run.intervals.size(), expected.size());
  EXPECT_EQ(std::vector<std::int32_t>(run.intervals.begin(), run.intervals.begin() + expected.size()), expected);

  ASSERT_EQ(run.changes.size(), 4u);
  EXPECT_EQ(run.changes[0], kBase);
  for (std::size_t i = 1; i < run.changes.size(); ++i) {
    const double sincePrevious = (run.changes[i] - run.changes[i - 1]) * kMsPerDay;
    EXPECT_GE(sincePrevious, 10000 - 0.5) << i;
    EXPECT_LE(sincePrevious, 10006 + 0.5) << i;
  }
}

TEST(Scheduler, OneDayScheduleChangesOnceADay) {
  const double start = kBase;
  const TSimulation run = Simulate(TriggerMeasure::Days, "1", start - 1000, start, start + 3);
  ASSERT_EQ(run.changes.size(), 3u);
  for (std::size_t i = 1; i < run.changes.size(); ++i) {
    const double sincePrevious = (run.changes[i] - run.changes[i - 1]) * kMsPerDay;
    EXPECT_GE(sincePrevious, 86400000 - 0.5);
    EXPECT_LE(sincePrevious, 86400006 + 0.5);
  }
  for (std::int32_t interval : run.intervals) {
    EXPECT_GE(interval, 6);
    EXPECT_LE(interval, 86405);
  }
}

struct AutoCloseCase {
  const char* name;
  std::int32_t interval;
  const char* limit;
  double elapsedSeconds;
  bool close;
  std::int32_t intervalAfter;
};

TEST(Scheduler, AutoClose) {
  const AutoCloseCase cases[] = {
      {"limit 0 closes at once", 15, "0", 0, true, 15},
      {"limit reached", 0, "90", 90 * 60, true, 0},
      {"no interval waits for the limit", 0, "1", 0, false, 60005},
      {"a shorter interval stays", 15, "1", 0, false, 15},
      {"an interval up to the moment stays", 60000, "1", 0, false, 60000},
      {"a longer interval is cut", 60001, "1", 0, false, 60005},
      {"screen saver minute cut by the limit", kScreenSaverInterval, "1", 30, false, 30005},
      {"one millisecond left", 0, "2", 119.999, false, 6},
      {"whole days do not count", 0, "90", 86400 + 30 * 60, false, 60 * 60000 + 5},
      {"a limit beyond a day waits at most the timer's range", 0, "-1", 0, false, 2147483647},
      {"a clock set back counts nothing", 0, "1", -3600, false, 60005},
  };
  for (const auto& c : cases) {
    const TAutoCloseDecision decision =
        DecideAutoClose(c.interval, c.limit, kBase, AfterSeconds(kBase, c.elapsedSeconds));
    EXPECT_EQ(decision.closeNow, c.close) << c.name;
    EXPECT_EQ(decision.interval, c.intervalAfter) << c.name;
  }
  EXPECT_THROW(DecideAutoClose(0, "", kBase, kBase), TConvertError);
}

TEST(Scheduler, AutoCloseIntervalIsNeverBelowOne) {
  for (int limit = 1; limit <= 99; limit += 7) {
    for (double seconds = 0; seconds < limit * 60; seconds += 0.7531) {
      const TAutoCloseDecision decision =
          DecideAutoClose(0, std::to_string(limit), kBase, AfterSeconds(kBase, seconds));
      ASSERT_FALSE(decision.closeNow) << limit << " " << seconds;
      ASSERT_GE(decision.interval, 1) << limit << " " << seconds;
      // The timer comes back no later than 5 ms after the moment the limit is reached.
      ASSERT_LE(seconds * 1000 + decision.interval, limit * 60000.0 + 5 + 1) << limit << " " << seconds;
    }
  }
}

}  // namespace
