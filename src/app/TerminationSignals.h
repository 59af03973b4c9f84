// SIGTERM and SIGINT reach the event loop through a self-pipe: the handler only writes a
// byte, and a socket notifier turns it into the Terminate signal on the UI thread.
#pragma once

#include <QObject>

class QSocketNotifier;

class TTerminationSignals final : public QObject {
  Q_OBJECT

 public:
  explicit TTerminationSignals(QObject* parent = nullptr);
  ~TTerminationSignals() override;

 signals:
  void Terminate();

 private:
  QSocketNotifier* notifier_ = nullptr;
};
