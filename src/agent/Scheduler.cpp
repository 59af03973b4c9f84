#include "agent/Scheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// to − from in whole milliseconds; far beyond any real schedule the value is held at
// about ±27,000 years so the arithmetic below never overflows.
std::int64_t MillisecondsBetween(double from, double to) {
  const double days = to - from;
  if (std::isnan(days)) return 0;
  const double limit = 1e7;
  return std::llround(std::clamp(days, -limit, limit) * static_cast<double>(kMsPerDay));
}

std::int32_t ToInt32(std::int64_t value) { return static_cast<std::int32_t>(std::clamp(value, kInt32Min, kInt32Max)); }

std::int32_t PeriodSeconds(TriggerMeasure measure, std::int32_t n) {
  std::int64_t unit = 1;
  switch (measure) {
    case TriggerMeasure::Days:
      unit = 86400;
      break;
    case TriggerMeasure::Hours:
      unit = 3600;
      break;
    case TriggerMeasure::Minutes:
      unit = 60;
      break;
    case TriggerMeasure::Seconds:
    case TriggerMeasure::Executions:
      break;
  }
  return ToInt32(unit * n);
}

}  // namespace

std::int32_t WholeSecondsBetween(double from, double to) { return ToInt32(MillisecondsBetween(from, to) / 1000); }

std::int64_t MillisecondsOfDayBetween(double from, double to) {
  return std::max<std::int64_t>(0, MillisecondsBetween(from, to)) % kMsPerDay;
}

std::uint16_t MinutesOfDayBetween(double from, double to) {
  return static_cast<std::uint16_t>(MillisecondsOfDayBetween(from, to) / 60000);
}

TChangeDecision DecideChange(const TChangeInput& input) {
  TChangeDecision decision;
  decision.execCounted = input.execCounted;
  decision.execSinceChg = input.execSinceChg;
  if (input.screenSaverRunning) {
    decision.interval = kScreenSaverInterval;
    return decision;
  }
  std::int32_t n = StrToInt(input.execQtyText);
  if (n == 0) n = 1;
  if (!input.entrySelected) return decision;
  const std::int32_t elapsed = WholeSecondsBetween(input.lastChgDateTime, input.now);
  const int measure = static_cast<int>(input.measure);
  if (measure < static_cast<int>(TriggerMeasure::Days) || measure > static_cast<int>(TriggerMeasure::Seconds))
    return decision;
  if (input.measure == TriggerMeasure::Executions) {
    if (!decision.execCounted) {
      decision.execCounted = true;
      if (decision.execSinceChg < kInt32Max) ++decision.execSinceChg;
    }
    decision.due = decision.execSinceChg >= n;
    decision.writeExecSinceChg = !decision.due;
    return decision;
  }
  const std::int32_t period = PeriodSeconds(input.measure, n);
  if (period <= elapsed) {
    decision.due = true;
    decision.interval = period;
  } else {
    decision.interval = ToInt32(static_cast<std::int64_t>(period) - elapsed + 5);
  }
  return decision;
}

TAutoCloseDecision DecideAutoClose(std::int32_t interval, const std::string& autoCloseMinText, double agentStartTime,
                                   double now) {
  const std::uint16_t minutes = MinutesOfDayBetween(agentStartTime, now);
  const auto limit = static_cast<std::uint16_t>(StrToInt(autoCloseMinText));
  if (limit <= minutes) return {true, interval};
  const std::int64_t left = static_cast<std::int64_t>(limit) * 60000 - MillisecondsOfDayBetween(agentStartTime, now);
  if (interval == 0 || interval > left) interval = ToInt32(left + 5);
  return {false, interval};
}
