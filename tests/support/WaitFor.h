// Bounded polling for tests that watch another process or thread: done is asked every 50 ms
// until it holds or ms have passed. WaitForEvents serves this thread's events meanwhile, for
// what is handed back to it as queued calls, timers and file-system notices.
#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <functional>

inline bool WaitFor(const std::function<bool()>& done, int ms) {
  const QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    if (done()) return true;
    QThread::msleep(50);
  }
  return done();
}

inline bool WaitForEvents(const std::function<bool()>& done, int ms) {
  const QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    if (done()) return true;
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return done();
}
