#include "platform/desktop/PlatformLoader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QtGlobal>

namespace {

TEST(ChooseDesktop, OverrideThenCurrentDesktopThenDisplayThenFile) {
  struct Row {
    const char* override;
    const char* current;
    bool display;
    bool x11Built;
    DesktopKind kind;
  };
  const Row rows[] = {
      {"", "GNOME", true, true, DesktopKind::Gnome},
      {"", "ubuntu:GNOME", false, true, DesktopKind::Gnome},
      {"", "Unity", false, true, DesktopKind::Gnome},
      {"", "Budgie:GNOME", false, true, DesktopKind::Gnome},
      {"", "X-Cinnamon", true, true, DesktopKind::Cinnamon},
      {"", "cinnamon", true, true, DesktopKind::Cinnamon},
      {"", "MATE", true, true, DesktopKind::Mate},
      {"", "KDE", true, true, DesktopKind::Kde},
      {"", "XFCE", true, true, DesktopKind::Xfce},
      {"", "sway", false, true, DesktopKind::Background},
      {"", "kde", false, false, DesktopKind::Kde},
      {"", "LXQt:KDE", true, true, DesktopKind::Lxqt},
      {"", "LXQt", true, true, DesktopKind::Lxqt},
      {"", "LXQt", true, false, DesktopKind::Lxqt},
      {"", "LXDE", true, true, DesktopKind::Lxde},
      {"", "Openbox:LXDE", true, true, DesktopKind::Lxde},
      {"lxqt", "XFCE", true, true, DesktopKind::Lxqt},
      {"LXDE", "", true, true, DesktopKind::Lxde},
      {"", "", false, true, DesktopKind::File},
      {"", "", true, true, DesktopKind::X11},
      {"", "::", true, true, DesktopKind::X11},
      {"", "GNOME-Flashback:GNOME", true, true, DesktopKind::Gnome},
      {"file", "GNOME", true, true, DesktopKind::File},
      {"X11", "KDE", false, true, DesktopKind::X11},
      {" mate ", "GNOME", true, true, DesktopKind::Mate},
      {"sway", "", false, false, DesktopKind::Sway},
      {"xfce", "KDE", true, true, DesktopKind::Xfce},
      {"cinnamon", "", false, true, DesktopKind::Cinnamon},
      {"gnome", "", false, true, DesktopKind::Gnome},
      {"kde", "", false, true, DesktopKind::Kde},
      {"windows", "GNOME", true, true, DesktopKind::Unknown},
  };
  for (const Row& row : rows) {
    PlatformEnvironment environment;
    environment.desktopOverride = row.override;
    environment.currentDesktop = row.current;
    environment.x11Display = row.display;
    environment.x11Built = row.x11Built;
    EXPECT_EQ(ChooseDesktop(environment), row.kind) << "'" << row.override << "' '" << row.current << "'";
  }
}

// Our own background program under sway and every other compositor without a desktop of
// its own; sway's IPC and swaybg only by name.
TEST(ChooseDesktop, WaylandCompositorsAfterTheNamedDesktops) {
  struct Row {
    const char* override;
    const char* current;
    bool x11Display;
    DesktopKind kind;
  };
  const Row rows[] = {
      {"", "", false, DesktopKind::Background},
      {"", "", true, DesktopKind::Background},
      {"", "labwc:wlroots", false, DesktopKind::Background},
      {"", "Hyprland", true, DesktopKind::Background},
      {"", "Wayfire", false, DesktopKind::Background},
      {"", "GNOME", true, DesktopKind::Gnome},
      {"", "KDE", false, DesktopKind::Kde},
      {"", "sway", false, DesktopKind::Background},
      {"", "LXQt", false, DesktopKind::Lxqt},
      {"sway", "sway", false, DesktopKind::Sway},
      {"swaybg", "sway", false, DesktopKind::Swaybg},
      {"background", "GNOME", true, DesktopKind::Background},
      {"x11", "", true, DesktopKind::X11},
  };
  for (const Row& row : rows) {
    PlatformEnvironment environment;
    environment.desktopOverride = row.override;
    environment.currentDesktop = row.current;
    environment.x11Display = row.x11Display;
    environment.x11Built = true;
    environment.wayland = environment.waylandDisplay = true;
    EXPECT_EQ(ChooseDesktop(environment), row.kind) << "'" << row.override << "' '" << row.current << "'";
  }
}

TEST(CreateDesktopBackend, EachKindGetsItsNamedBackend) {
  const std::pair<DesktopKind, const char*> rows[] = {
      {DesktopKind::X11, "x11"},
      {DesktopKind::Gnome, "gnome"},
      {DesktopKind::Cinnamon, "cinnamon"},
      {DesktopKind::Mate, "mate"},
      {DesktopKind::Kde, "kde"},
      {DesktopKind::Xfce, "xfce"},
      {DesktopKind::Lxqt, "lxqt"},
      {DesktopKind::Lxde, "lxde"},
      {DesktopKind::Sway, "sway"},
      {DesktopKind::Swaybg, "swaybg"},
      {DesktopKind::Background, "background"},
      {DesktopKind::File, "file"},
  };
  for (const auto& [kind, name] : rows) EXPECT_EQ(CreateDesktopBackend(kind, {})->Name(), name);
}

// Without a bus and a display here, neither pcmanfm-qt nor pcmanfm draws a desktop: the
// change goes where the session would send it without the desktop's name, and fails there.
TEST(CreateDesktopBackend, LxqtAndLxdeWithoutTheirDesktopGoWhereTheSessionWould) {
  struct Row {
    DesktopKind kind;
    bool wayland;
    const char* error;
  };
  const Row rows[] = {
      {DesktopKind::Lxqt, false, "The X server could not be reached (DISPLAY is not set)"},
      {DesktopKind::Lxqt, true,
       "Tesserine's Wayland background (tesserine-background) could not be reached (WAYLAND_DISPLAY is not set)"},
      {DesktopKind::Lxde, false, "The X server could not be reached (DISPLAY is not set)"},
  };
  for (const Row& row : rows) {
    PlatformEnvironment environment;
    environment.currentDesktop = row.kind == DesktopKind::Lxqt ? "LXQt" : "LXDE";
    environment.x11Built = true;
    environment.wayland = environment.waylandDisplay = row.wayland;
    const auto backend = CreateDesktopBackend(row.kind, environment);
    try {
      backend->Apply({"/a.bmp", WallpaperLayout::Stretch});
      ADD_FAILURE() << row.error << ": no error";
    } catch (const TDesktopError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(row.error, 0), 0u) << error.what();
    }
  }
}

TEST(CreateDesktopBackend, UnknownOverrideFailsAtHandOverListingTheKnownNames) {
  PlatformEnvironment environment;
  environment.desktopOverride = "windows";
  const auto backend = CreateDesktopBackend(ChooseDesktop(environment), environment);
  try {
    backend->Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The desktop \"windows\" could not be reached (TESSERINE_DESKTOP names no known desktop (known: x11, "
                 "gnome, cinnamon, mate, kde, xfce, lxqt, lxde, sway, swaybg, background, file)); the wallpaper was "
                 "not changed.");
  }
}

TEST(CreateDesktopWallpaper, OverrideReachesTheProgramAndValuesLandInTheConfigFolder) {
  qputenv("TESSERINE_DESKTOP", "file");
  const auto desktop = CreateDesktopWallpaper();
  qunsetenv("TESSERINE_DESKTOP");
  desktop->OpenKey();
  desktop->SetValue("Wallpaper", "/x.bmp");
  desktop->Reload();
  EXPECT_TRUE(QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + "/tesserine/desktop-values"));
  EXPECT_EQ(desktop->GetValue("Wallpaper"), "/x.bmp");
}

TEST(ChooseScreenSaver, X11OnX11AndDBusOnWaylandOrWithoutDisplay) {
  struct Row {
    bool display;
    bool wayland;
    bool x11Built;
    ScreenSaverKind kind;
  };
  const Row rows[] = {
      {true, false, true, ScreenSaverKind::X11},   {true, true, true, ScreenSaverKind::DBus},
      {false, true, true, ScreenSaverKind::DBus},  {false, false, true, ScreenSaverKind::DBus},
      {true, false, false, ScreenSaverKind::DBus},
  };
  for (const Row& row : rows) {
    PlatformEnvironment environment;
    environment.x11Display = row.display;
    environment.wayland = row.wayland;
    environment.x11Built = row.x11Built;
    EXPECT_EQ(ChooseScreenSaver(environment), row.kind) << row.display << row.wayland << row.x11Built;
  }
}

}  // namespace
