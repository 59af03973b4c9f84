// Keeps a test away from the session that runs it: the session's display, compositor,
// desktop and message bus are dropped, so no test draws on the user's screen, changes the
// user's monitors or wallpaper, or talks to the user's desktop. A display test then runs on
// the private Xvfb of its CTest fixture.
#pragma once

#include <QByteArray>
#include <QFile>
#include <cstdlib>

inline void LeaveTheSession() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "I3SOCK", "XDG_SESSION_TYPE",
                           "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "DBUS_SESSION_BUS_ADDRESS"})
    unsetenv(name);
}

// displayFile holds the display (":N") the fixture started; false when it cannot be read.
inline bool UsePrivateDisplay(const char* displayFile) {
  QFile file(QFile::decodeName(displayFile));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray display = file.readAll().trimmed();
  if (display.isEmpty()) return false;
  unsetenv("QT_QPA_PLATFORM");
  setenv("DISPLAY", display.constData(), 1);
  return true;
}
