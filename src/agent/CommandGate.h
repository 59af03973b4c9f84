// Whether a command may act now. Some work lets pending events run part-way through: the
// configuration load keeps the window painted while a long list is read, and a question or a
// menu waits for the user in a loop of its own. A click, a tray command or a request from
// outside that arrived then would act on a half-made list, or behind the question's back.
// Such work holds the gate, and commands find it closed until the work is done.
#pragma once

#include <QScopeGuard>

class TCommandGate {
 public:
  bool Open() const { return holds_ == 0; }
  // Closes the gate until the returned guard goes out of scope; holds nest.
  [[nodiscard]] auto Hold() {
    Enter();
    return qScopeGuard([this] { Leave(); });
  }
  // For work that begins and ends in two different events (a menu shown, then hidden).
  void Enter() { ++holds_; }
  void Leave() {
    if (holds_ > 0) --holds_;
  }

 private:
  int holds_ = 0;
};
