// A private D-Bus session bus for one test, never the user's: a dbus-daemon of its own,
// ended with this object. With anyUser, processes of other users (a headless sway running
// as nobody) may connect too.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class TPrivateBus {
 public:
  explicit TPrivateBus(bool anyUser = false,
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
  ~TPrivateBus();
  TPrivateBus(const TPrivateBus&) = delete;
  TPrivateBus& operator=(const TPrivateBus&) = delete;

  // Empty when the daemon did not start.
  const QString& Address() const { return address_; }

 private:
  QTemporaryDir dir_;
  QProcess daemon_;
  QString address_;
};
