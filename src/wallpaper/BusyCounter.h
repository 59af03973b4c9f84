// The nesting busy counter behind the hourglass cursor. The cursor is shown when the
// count leaves zero and restored when it returns to zero; an unmatched End never drives
// the count below zero. BusyScope ends the section on every exit path, exceptions included.
#pragma once

#include <cstdint>
#include <functional>

class TBusyCounter {
 public:
  using CursorSwitch = std::function<void(bool busy)>;

  explicit TBusyCounter(CursorSwitch cursorSwitch) : cursorSwitch_(std::move(cursorSwitch)) {}

  void BeginBusy();
  void EndBusy();
  std::int32_t Count() const { return count_; }

 private:
  CursorSwitch cursorSwitch_;
  std::int32_t count_ = 0;
};

class BusyScope {
 public:
  explicit BusyScope(TBusyCounter& counter) : counter_(counter) { counter_.BeginBusy(); }
  ~BusyScope() { counter_.EndBusy(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  TBusyCounter& counter_;
};
