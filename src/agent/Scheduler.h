// One check of the change scheduler, as plain arithmetic.
//
// Data flow: each tick the form reads the schedule from its controls and the persistent
// state (LastChgDateTime, ExecSinceChg, ExecCounted) into a TChangeInput. DecideChange
// answers whether a change is due, the new execution count and the timer interval; the
// form applies the change, then hands that interval to DecideAutoClose, which says
// whether auto-close is due and may shorten the interval so the timer comes back no
// later than the auto-close moment. The timer runs only for an interval of 1 or more.
//
// Intervals are timer milliseconds. The change periods are counts of seconds handed to
// the timer unchanged, so the timer returns after P - elapsed + 5 milliseconds and checks
// ever more often as the due second nears.
#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigValues.h"

// Whole seconds from one date-time value to a later one (days × 86400 + time of day,
// milliseconds dropped), held to the signed 32-bit range; negative when to is earlier.
std::int32_t WholeSecondsBetween(double from, double to);

// Hours × 60 + minutes of the time of day of to − from (whole days not counted), as an
// unsigned 16-bit value; 0 when to is earlier than from.
std::uint16_t MinutesOfDayBetween(double from, double to);

// Milliseconds from 0 to 86399999 of the time of day of to − from; 0 when to is earlier.
std::int64_t MillisecondsOfDayBetween(double from, double to);

inline constexpr std::int32_t kScreenSaverInterval = 60000;

struct TChangeInput {
  bool screenSaverRunning = false;
  std::string execQtyText;
  bool entrySelected = false;
  TriggerMeasure measure = TriggerMeasure::Days;
  double now = 0;
  double lastChgDateTime = 0;
  bool execCounted = false;
  std::int32_t execSinceChg = 0;
};

struct TChangeDecision {
  bool due = false;
  std::int32_t interval = 0;
  bool execCounted = false;
  std::int32_t execSinceChg = 0;
  // The execution count is to be written to the configuration's "ExecSinceChg".
  bool writeExecSinceChg = false;
};

// The checks before any change: the screen saver, the selection, the period or the
// execution count. Throws TConvertError for a quantity that is not an integer.
TChangeDecision DecideChange(const TChangeInput& input);

struct TAutoCloseDecision {
  bool closeNow = false;
  std::int32_t interval = 0;
};

// Auto-close once the limit of minutes since the agent's start is reached. While it is
// still ahead, an interval of 0 or one that would come back after the auto-close moment
// becomes the milliseconds left until that moment plus 5. Throws TConvertError for
// a limit that is not an integer.
TAutoCloseDecision DecideAutoClose(std::int32_t interval, const std::string& autoCloseMinText, double agentStartTime,
                                   double now);
