// SIGTERM and SIGINT reach the event loop through a self-pipe: the handler only writes a
// byte, and a socket notifier turns it into the Terminate signal on the UI thread.
//
// A request can come at any moment of the run, even before the object exists: HoldBack,
// called first thing in main, blocks both signals, so an early request waits instead of
// killing the program unsaved, and the constructor releases it once the handler is in place.
#pragma once

#include <QObject>

class QSocketNotifier;

class TTerminationSignals final : public QObject {
  Q_OBJECT

 public:
  explicit TTerminationSignals(QObject* parent = nullptr);
  ~TTerminationSignals() override;

  // Blocks SIGTERM and SIGINT for the calling thread and the threads it creates later.
  static void HoldBack();
  // Whether a request has reached the UI thread.
  bool Requested() const { return requested_; }

 signals:
  void Terminate();

 private:
  QSocketNotifier* notifier_ = nullptr;
  bool requested_ = false;
};
