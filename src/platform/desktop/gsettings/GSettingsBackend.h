// GNOME-family desktops read their wallpaper from GSettings: GNOME, Budgie and Unity from
// org.gnome.desktop.background, Cinnamon from org.cinnamon.desktop.background (both a file
// URI in picture-uri), MATE from org.mate.background (a plain path in picture-filename).
// The desktop watches those keys, and what they hold is what it shows. GNOME's
// picture-uri-dark gets the dark partner's file, so the shell switches by itself.
#pragma once

#include "platform/desktop/DesktopBackend.h"

enum class GSettingsDesktop { Gnome, Cinnamon, Mate };

// Where one desktop keeps its wallpaper.
struct GSettingsTarget {
  std::string name;
  std::string schema;
  std::string fileKey;
  bool uri = true;      // the key holds a file URI rather than a path
  bool hasNone = true;  // picture-options knows "none"
};

GSettingsTarget TargetOf(GSettingsDesktop desktop);

class TGSettingsBackend final : public IDesktopBackend {
 public:
  explicit TGSettingsBackend(GSettingsDesktop desktop) : target_(TargetOf(desktop)) {}
  explicit TGSettingsBackend(GSettingsTarget target) : target_(std::move(target)) {}
  std::string Name() const override { return target_.name; }
  // Throws when the desktop's schema is not installed. Giving the same file again still
  // makes the desktop reload it: the key briefly holds another value first.
  void Apply(const WallpaperValues& values) override;
  // These desktops show one picture for all monitors: a canvas of the whole layout, written
  // over the primary monitor's file, shown "spanned".
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override;
  std::optional<ShownWallpaper> Query() override;
  // Where the schema has picture-uri-dark (GNOME 42 and later).
  bool SwitchesSchemeItself() const override;
  // GNOME's, Cinnamon's and MATE's lock screens show the desktop's picture.
  LockScreenReach LockScreen() const override { return LockScreenReach::ShowsDesktop; }

 private:
  // The file (empty for none), the dark file for picture-uri-dark (empty: the same) and the
  // picture option (nullptr: left as it is).
  void Set(const std::string& file, const std::string& darkFile, const char* option);

  GSettingsTarget target_;
};
