// The nesting busy counter behind the hourglass cursor. The cursor is shown when the
// count leaves zero and restored when it returns to zero; an unmatched End never drives
// the count below zero. BusySection ends the section on every exit path, exceptions included.
#pragma once

#include <QScopeGuard>
#include <cstdint>
#include <functional>

class TBusyCursor {
 public:
  using CursorSwitch = std::function<void(bool busy)>;

  explicit TBusyCursor(CursorSwitch cursorSwitch) : cursorSwitch_(std::move(cursorSwitch)) {}

  void BeginBusy();
  void EndBusy();
  std::int32_t Count() const { return count_; }

 private:
  CursorSwitch cursorSwitch_;
  std::int32_t count_ = 0;
};

// Begins a busy section that ends when the returned guard goes out of scope.
[[nodiscard]] inline auto BusySection(TBusyCursor& counter) {
  counter.BeginBusy();
  return qScopeGuard([&counter] { counter.EndBusy(); });
}
