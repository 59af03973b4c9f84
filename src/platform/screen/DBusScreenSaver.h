// The screen saver's state from the freedesktop ScreenSaver service on the session bus
// (GetActive), as Wayland desktops offer it. No service, or no answer, means false.
#pragma once

#include <QDBusConnection>

#include "platform/screen/ScreenSaverState.h"

class TDBusScreenSaver final : public IScreenSaverState {
 public:
  explicit TDBusScreenSaver(QDBusConnection bus = QDBusConnection::sessionBus()) : bus_(std::move(bus)) {}
  bool ScreenSaverRunning() override;

 private:
  QDBusConnection bus_;
};
