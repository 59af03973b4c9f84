// Points a display test at the private Xvfb of its CTest fixture and away from the session
// that runs it: the session's display, compositor, desktop and message bus are dropped, so
// no test draws on the user's screen, changes the user's monitors or wallpaper, or talks to
// the user's desktop.
#pragma once

#include <QByteArray>
#include <QFile>
#include <cstdlib>

// displayFile holds the display (":N") the fixture started; false when it cannot be read.
inline bool UsePrivateDisplay(const char* displayFile) {
  QFile file(QFile::decodeName(displayFile));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray display = file.readAll().trimmed();
  if (display.isEmpty()) return false;
  for (const char* name : {"WAYLAND_DISPLAY", "SWAYSOCK", "I3SOCK", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE",
                           "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "DBUS_SESSION_BUS_ADDRESS"})
    unsetenv(name);
  setenv("DISPLAY", display.constData(), 1);
  return true;
}
