#include "autostart/AutostartDesktops.h"

#include <QString>
#include <QStringList>
#include <cstdlib>

namespace {

// XDG_CURRENT_DESKTOP as these compositors and window managers set it.
const char* const kIgnoringDesktops[] = {"sway", "i3", "Hyprland", "river"};

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

TAutostartEnvironment CurrentAutostartEnvironment() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  return {desktop ? desktop : "", IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")};
}

bool IgnoresStartupFolder(const TAutostartEnvironment& environment) {
  const QStringList names = QString::fromStdString(environment.currentDesktop).split(':', Qt::SkipEmptyParts);
  if (names.isEmpty()) return environment.display;
  for (const QString& name : names)
    for (const char* ignoring : kIgnoringDesktops)
      if (name.trimmed().compare(QLatin1String(ignoring), Qt::CaseInsensitive) == 0) return true;
  return false;
}
