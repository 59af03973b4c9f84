// Runs against a real GSettings store: the keyfile backend (GSETTINGS_BACKEND=keyfile, set
// for every test) under the temporary XDG_CONFIG_HOME, with the desktops' installed schemas.
#include "platform/desktop/gsettings/GSettingsBackend.h"

// GIO names a struct member "signals", which Qt's keyword macro would rewrite.
#undef signals
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <QDir>
#include <vector>

namespace {

// Records every value a key takes, as a desktop watching it would see them.
class KeyWatcher {
 public:
  KeyWatcher(const char* schema, const char* key) : settings_(g_settings_new(schema)), key_(key) {
    g_free(g_settings_get_string(settings_, key));  // a key is watched once it has been read
    const std::string signal = std::string("changed::") + key;
    g_signal_connect(settings_, signal.c_str(), G_CALLBACK(&KeyWatcher::Changed), this);
  }
  ~KeyWatcher() { g_object_unref(settings_); }

  std::vector<std::string> Seen() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    return seen_;
  }
  std::string Value() const {
    char* value = g_settings_get_string(settings_, key_.c_str());
    std::string result = value;
    g_free(value);
    return result;
  }

 private:
  static void Changed(GSettings* settings, const char* key, gpointer self) {
    char* value = g_settings_get_string(settings, key);
    static_cast<KeyWatcher*>(self)->seen_.push_back(value);
    g_free(value);
  }
  GSettings* settings_;
  std::string key_;
  std::vector<std::string> seen_;
};

std::string Uri(const std::string& path) {
  char* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string result = uri;
  g_free(uri);
  return result;
}

TEST(GSettingsBackend, GnomeGetsFileUriInBothKeysAndTheLayout) {
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  KeyWatcher options("org.gnome.desktop.background", "picture-options");
  KeyWatcher dark("org.gnome.desktop.background", "picture-uri-dark");
  const std::string file = "/home/u/My Pictures/f\xc3\xb6rest #1.bmp";
  const std::pair<WallpaperLayout, const char*> rows[] = {{WallpaperLayout::Tile, "wallpaper"},
                                                          {WallpaperLayout::Center, "centered"},
                                                          {WallpaperLayout::Stretch, "stretched"}};
  for (const auto& [layout, option] : rows) {
    gnome.Apply({file, layout});
    EXPECT_EQ(options.Value(), option);
    EXPECT_EQ(dark.Value(), Uri(file));
    const auto shown = gnome.Query();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->file, file);
    EXPECT_EQ(shown->tiled, layout == WallpaperLayout::Tile);
  }
  EXPECT_EQ(Uri(file), "file:///home/u/My%20Pictures/f%C3%B6rest%20%231.bmp");
}

TEST(GSettingsBackend, SameFileAgainStillMakesTheDesktopReload) {
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  const std::string file = "/tmp/Tesserina Convert.BMP";
  gnome.Apply({"/tmp/other.bmp", WallpaperLayout::Tile});
  KeyWatcher uri("org.gnome.desktop.background", "picture-uri");
  gnome.Apply({file, WallpaperLayout::Tile});
  EXPECT_EQ(uri.Seen(), (std::vector<std::string>{Uri(file)}));
  gnome.Apply({file, WallpaperLayout::Tile});
  gnome.Apply({file, WallpaperLayout::Center});
  EXPECT_EQ(uri.Seen(), (std::vector<std::string>{Uri(file), "", Uri(file), "", Uri(file)}));
}

TEST(GSettingsBackend, DarkKeyFollowsEveryChangeToo) {
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  const std::string file = "/tmp/Tesserina Convert.BMP";
  gnome.Apply({file, WallpaperLayout::Stretch});
  KeyWatcher dark("org.gnome.desktop.background", "picture-uri-dark");
  gnome.Apply({file, WallpaperLayout::Stretch});
  gnome.Apply({"", WallpaperLayout::Center});
  EXPECT_EQ(dark.Seen(), (std::vector<std::string>{"", Uri(file), ""}));
}

TEST(GSettingsBackend, AnyBytesReachAUriButAPlainPathMustBeText) {
  const std::string latin1 = "/p/\xe9t\xe9 \xff.bmp";
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  gnome.Apply({latin1, WallpaperLayout::Center});
  EXPECT_EQ(gnome.Query()->file, latin1);

  TGSettingsBackend mate(GSettingsDesktop::Mate);
  mate.Apply({"/p/before.bmp", WallpaperLayout::Center});
  EXPECT_THROW(mate.Apply({latin1, WallpaperLayout::Tile}), TDesktopError);
  EXPECT_EQ(KeyWatcher("org.mate.background", "picture-filename").Value(), "/p/before.bmp");
  EXPECT_EQ(KeyWatcher("org.mate.background", "picture-options").Value(), "centered");
}

TEST(GSettingsBackend, NoWallpaperClearsThePicture) {
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  gnome.Apply({"/tmp/a.bmp", WallpaperLayout::Center});
  gnome.Apply({"", WallpaperLayout::Center});
  KeyWatcher options("org.gnome.desktop.background", "picture-options");
  KeyWatcher uri("org.gnome.desktop.background", "picture-uri");
  EXPECT_EQ(options.Value(), "none");
  EXPECT_EQ(uri.Value(), "");
}

TEST(GSettingsBackend, RelativeNameBecomesAnAbsoluteUri) {
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  gnome.Apply({"pictures/a.bmp", WallpaperLayout::Center});
  EXPECT_EQ(gnome.Query()->file, QDir::currentPath().toStdString() + "/pictures/a.bmp");
}

TEST(GSettingsBackend, CinnamonUsesItsOwnSchema) {
  TGSettingsBackend cinnamon(GSettingsDesktop::Cinnamon);
  EXPECT_EQ(cinnamon.Name(), "cinnamon");
  cinnamon.Apply({"/p/c d.bmp", WallpaperLayout::Stretch});
  EXPECT_EQ(KeyWatcher("org.cinnamon.desktop.background", "picture-uri").Value(), "file:///p/c%20d.bmp");
  EXPECT_EQ(KeyWatcher("org.cinnamon.desktop.background", "picture-options").Value(), "stretched");
}

TEST(GSettingsBackend, MateGetsAPlainPath) {
  TGSettingsBackend mate(GSettingsDesktop::Mate);
  EXPECT_EQ(mate.Name(), "mate");
  KeyWatcher path("org.mate.background", "picture-filename");
  mate.Apply({"/p/m n.bmp", WallpaperLayout::Tile});
  mate.Apply({"/p/m n.bmp", WallpaperLayout::Tile});
  EXPECT_EQ(path.Seen(), (std::vector<std::string>{"/p/m n.bmp", "", "/p/m n.bmp"}));
  EXPECT_EQ(KeyWatcher("org.mate.background", "picture-options").Value(), "wallpaper");
  const auto shown = mate.Query();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->file, "/p/m n.bmp");
  EXPECT_TRUE(shown->tiled);
}

TEST(GSettingsBackend, MissingSchemaIsAClearErrorNotAnAbort) {
  TGSettingsBackend missing(GSettingsTarget{"gnome", "org.example.not.installed", "picture-uri", true, true});
  try {
    missing.Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The GNOME desktop settings (GSettings) could not be reached (the schema org.example.not.installed is "
                 "not installed); the wallpaper was not changed.");
  }
  EXPECT_FALSE(missing.Query());
}

}  // namespace
