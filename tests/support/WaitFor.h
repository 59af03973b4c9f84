// Bounded polling for tests that watch another process: done is asked every 50 ms until it
// holds or ms have passed.
#pragma once

#include <QDeadlineTimer>
#include <QThread>
#include <functional>

inline bool WaitFor(const std::function<bool()>& done, int ms) {
  const QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    if (done()) return true;
    QThread::msleep(50);
  }
  return done();
}
