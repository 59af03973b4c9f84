// Follows the desktop's colour scheme (ColorScheme.h) while the program runs, without ever
// blocking: the portal is asked through the event loop with a short time-out and followed
// through its SettingChanged signal, GNOME's key through GSettings' change signal.
#pragma once

#include <QDBusConnection>
#include <functional>
#include <memory>

#include "platform/desktop/ColorScheme.h"

class TColorSchemeWatch {
 public:
  // Starts asking bus's portal at once; GNOME's key is read now.
  explicit TColorSchemeWatch(QDBusConnection bus = QDBusConnection::sessionBus());
  ~TColorSchemeWatch();
  TColorSchemeWatch(const TColorSchemeWatch&) = delete;
  TColorSchemeWatch& operator=(const TColorSchemeWatch&) = delete;

  TSchemeReading Current() const;
  // Whether the portal's first answer is still to come (at most its short time-out).
  bool Asking() const;
  // Told when Current changes.
  std::function<void(const TSchemeReading&)> OnChanged;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
