#include "platform/desktop/PlatformLoader.h"

#include <QString>
#include <QStringList>
#include <cstdlib>

#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/FileBackend.h"
#include "platform/desktop/ReducedMotion.h"
#include "platform/desktop/UnavailableBackend.h"
#include "platform/desktop/background/BackgroundBackend.h"
#include "platform/desktop/gsettings/GSettingsBackend.h"
#include "platform/desktop/lxqt/LxqtBackend.h"
#include "platform/desktop/plasma/PlasmaBackend.h"
#include "platform/desktop/sway/SwayBackend.h"
#include "platform/desktop/sway/SwaybgBackend.h"
#include "platform/desktop/xfce/XfceBackend.h"
#include "platform/screen/DBusScreenSaver.h"
#ifdef TESSERINE_HAVE_X11
#include "platform/desktop/lxde/LxdeBackend.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "platform/screen/X11ScreenSaver.h"
#endif

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

struct NamedKind {
  const char* name;
  DesktopKind kind;
};

const NamedKind kBackendNames[] = {
    {"x11", DesktopKind::X11},
    {"gnome", DesktopKind::Gnome},
    {"cinnamon", DesktopKind::Cinnamon},
    {"mate", DesktopKind::Mate},
    {"kde", DesktopKind::Kde},
    {"xfce", DesktopKind::Xfce},
    {"lxqt", DesktopKind::Lxqt},
    {"lxde", DesktopKind::Lxde},
    {"sway", DesktopKind::Sway},
    {"swaybg", DesktopKind::Swaybg},
    {"background", DesktopKind::Background},
    {"file", DesktopKind::File},
};

const NamedKind kDesktopNames[] = {
    {"gnome", DesktopKind::Gnome},         {"unity", DesktopKind::Gnome},
    {"budgie", DesktopKind::Gnome},        {"ubuntu", DesktopKind::Gnome},
    {"x-cinnamon", DesktopKind::Cinnamon}, {"cinnamon", DesktopKind::Cinnamon},
    {"mate", DesktopKind::Mate},           {"kde", DesktopKind::Kde},
    {"xfce", DesktopKind::Xfce},           {"lxqt", DesktopKind::Lxqt},
    {"lxde", DesktopKind::Lxde},           {"sway", DesktopKind::Background},
};

template <size_t N>
std::optional<DesktopKind> Lookup(const NamedKind (&table)[N], const QString& name) {
  for (const NamedKind& entry : table)
    if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) return entry.kind;
  return std::nullopt;
}

std::unique_ptr<IDesktopBackend> RootBackend() {
#ifdef TESSERINE_HAVE_X11
  return std::make_unique<TX11RootBackend>();
#else
  return std::make_unique<TUnavailableBackend>("x11", "this build has no X11 support");
#endif
}

// Where a desktop's file manager draws no desktop, the wallpaper goes where it would without
// the desktop's name: to the Wayland compositor, else to the X root (which fails without a
// display rather than only recording the values).
std::unique_ptr<IDesktopBackend> WithoutItsDesktop(const PlatformEnvironment& environment) {
  PlatformEnvironment unnamed = environment;
  unnamed.desktopOverride.clear();
  unnamed.currentDesktop.clear();
  const DesktopKind kind = ChooseDesktop(unnamed);
  return kind == DesktopKind::File ? RootBackend() : CreateDesktopBackend(kind, unnamed);
}

std::string KnownNames() {
  std::string names;
  for (const NamedKind& entry : kBackendNames) names += (names.empty() ? "" : ", ") + std::string(entry.name);
  return names;
}

}  // namespace

PlatformEnvironment CurrentEnvironment() {
  PlatformEnvironment environment;
  environment.desktopOverride = Env("TESSERINE_DESKTOP");
  environment.currentDesktop = Env("XDG_CURRENT_DESKTOP");
  environment.x11Display = !Env("DISPLAY").empty();
  environment.waylandDisplay = !Env("WAYLAND_DISPLAY").empty();
  environment.wayland = environment.waylandDisplay || Env("XDG_SESSION_TYPE") == "wayland";
#ifdef TESSERINE_HAVE_X11
  environment.x11Built = true;
#endif
  return environment;
}

DesktopKind ChooseDesktop(const PlatformEnvironment& environment) {
  const QString override = QString::fromStdString(environment.desktopOverride).trimmed();
  if (!override.isEmpty()) return Lookup(kBackendNames, override).value_or(DesktopKind::Unknown);
  for (const QString& name : QString::fromStdString(environment.currentDesktop).split(':', Qt::SkipEmptyParts))
    if (const auto kind = Lookup(kDesktopNames, name.trimmed())) return *kind;
  // An X display beside a Wayland one is Xwayland, whose root window nobody sees.
  if (environment.waylandDisplay) return DesktopKind::Background;
  if (environment.x11Display && environment.x11Built) return DesktopKind::X11;
  return DesktopKind::File;
}

std::unique_ptr<IDesktopBackend> CreateDesktopBackend(DesktopKind kind, const PlatformEnvironment& environment) {
  switch (kind) {
    case DesktopKind::X11:
      return RootBackend();
    case DesktopKind::Gnome:
      return std::make_unique<TGSettingsBackend>(GSettingsDesktop::Gnome);
    case DesktopKind::Cinnamon:
      return std::make_unique<TGSettingsBackend>(GSettingsDesktop::Cinnamon);
    case DesktopKind::Mate:
      return std::make_unique<TGSettingsBackend>(GSettingsDesktop::Mate);
    case DesktopKind::Kde:
      return std::make_unique<TPlasmaBackend>();
    case DesktopKind::Xfce:
      return std::make_unique<TXfceBackend>();
    case DesktopKind::Lxqt:
      return std::make_unique<TLxqtBackend>(WithoutItsDesktop(environment));
    case DesktopKind::Lxde:
#ifdef TESSERINE_HAVE_X11
      return std::make_unique<TLxdeBackend>(WithoutItsDesktop(environment));
#else
      return std::make_unique<TUnavailableBackend>("lxde", "this build has no X11 support");
#endif
    case DesktopKind::Sway:
      return std::make_unique<TSwayBackend>();
    case DesktopKind::Swaybg:
      return std::make_unique<TSwaybgBackend>();
    case DesktopKind::Background:
      return std::make_unique<TBackgroundBackend>();
    case DesktopKind::File:
      return std::make_unique<TFileBackend>();
    case DesktopKind::Unknown:
      break;
  }
  return std::make_unique<TUnavailableBackend>(
      environment.desktopOverride, "TESSERINE_DESKTOP names no known desktop (known: " + KnownNames() + ")");
}

std::unique_ptr<IDesktopWallpaper> CreateDesktopWallpaper() {
  const PlatformEnvironment environment = CurrentEnvironment();
  auto motion = std::make_shared<TReducedMotion>(QDBusConnection::sessionBus());
  return std::make_unique<TDesktopWallpaper>(std::make_unique<TDesktopValues>(TDesktopValues::DefaultFolder()),
                                             CreateDesktopBackend(ChooseDesktop(environment), environment),
                                             [motion] { return motion->Reduced(); });
}

ScreenSaverKind ChooseScreenSaver(const PlatformEnvironment& environment) {
  if (environment.x11Display && environment.x11Built && !environment.wayland) return ScreenSaverKind::X11;
  return ScreenSaverKind::DBus;
}

std::unique_ptr<IScreenSaverState> CreateScreenSaverState() {
#ifdef TESSERINE_HAVE_X11
  if (ChooseScreenSaver(CurrentEnvironment()) == ScreenSaverKind::X11) return std::make_unique<TX11ScreenSaver>();
#endif
  return std::make_unique<TDBusScreenSaver>();
}
