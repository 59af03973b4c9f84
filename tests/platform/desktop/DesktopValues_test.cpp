#include "platform/desktop/DesktopValues.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/desktop/FileBackend.h"

namespace {

class DesktopValuesTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString Folder() const { return dir.path() + "/config/tesserine"; }
};

TEST_F(DesktopValuesTest, ValuesSurviveARestartWithEveryByteIntact) {
  const std::string hostile = std::string("/tmp/a=b\nc%20d ") + "\xe9\xff" + "'\"$(x)\\";
  {
    TDesktopValues values(Folder());
    values.OpenKey();
    values.Set("Wallpaper", hostile);
    values.Set("WallpaperStyle", "2");
    values.Set("Odd=Name", "");
  }
  TDesktopValues reopened(Folder());
  EXPECT_EQ(reopened.Get("Wallpaper"), hostile);
  EXPECT_EQ(reopened.Get("WallpaperStyle"), "2");
  EXPECT_EQ(reopened.Get("Odd=Name"), "");
  EXPECT_EQ(reopened.Get("TileWallpaper"), std::nullopt);
}

TEST_F(DesktopValuesTest, RewritingAValueLeavesOneFileAndNoTemporaries) {
  TDesktopValues values(Folder());
  values.OpenKey();
  for (const char* tile : {"1", "0", "1"}) values.Set("TileWallpaper", tile);
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"desktop-values"});
  EXPECT_EQ(TDesktopValues(Folder()).Get("TileWallpaper"), "1");
}

TEST_F(DesktopValuesTest, FolderThatCannotBeMadeFailsWithTheKeyName) {
  QFile blocker(dir.path() + "/config");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  TDesktopValues values(Folder());
  try {
    values.OpenKey();
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(), "Failed to create key Control Panel\\desktop");
  }
}

TEST_F(DesktopValuesTest, FailedWriteNamesTheValueAndKeepsTheOldOne) {
  TDesktopValues values(Folder());
  values.OpenKey();
  values.Set("Wallpaper", "/old.bmp");
  // A folder in the file's place makes the atomic replacement fail.
  ASSERT_TRUE(QFile::remove(values.FilePath()));
  ASSERT_TRUE(QDir().mkpath(values.FilePath()));
  try {
    values.Set("Wallpaper", "/new.bmp");
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Wallpaper'");
  }
  EXPECT_EQ(values.Get("Wallpaper"), "/old.bmp");
}

TEST(LayoutFromValues, TileWinsThenStyleTwoStretches) {
  struct Row {
    const char* style;
    const char* tile;
    WallpaperLayout layout;
  };
  const Row rows[] = {
      {"0", "1", WallpaperLayout::Tile},   {"2", "1", WallpaperLayout::Tile},   {"2", "0", WallpaperLayout::Stretch},
      {"0", "0", WallpaperLayout::Center}, {"", "", WallpaperLayout::Center},   {"1", "0", WallpaperLayout::Center},
      {"2", "", WallpaperLayout::Stretch}, {"0", "2", WallpaperLayout::Center},
  };
  for (const Row& row : rows)
    EXPECT_EQ(LayoutFromValues(row.style, row.tile), row.layout) << row.style << "/" << row.tile;
}

// A desktop that can say what it shows.
class TellingBackend final : public IDesktopBackend {
 public:
  std::string Name() const override { return "telling"; }
  void Apply(const WallpaperValues&) override {
    if (fail) ThrowBackendError(Name(), DesktopFailure::Unreachable, "desktop gone");
  }
  std::optional<ShownWallpaper> Query() override { return shown; }
  std::optional<ShownWallpaper> shown;
  bool fail = false;
};

TEST_F(DesktopValuesTest, ReloadHandsTheStoredValuesToTheBackend) {
  auto backend = std::make_unique<TFileBackend>();
  TFileBackend& file = *backend;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(Folder()), std::move(backend));
  desktop.OpenKey();
  desktop.SetValue("Wallpaper", "/p/a.bmp");
  desktop.SetValue("WallpaperStyle", "2");
  desktop.SetValue("TileWallpaper", "0");
  desktop.Reload();
  EXPECT_EQ(file.ApplyCount(), 1);
  EXPECT_EQ(file.LastApplied().file, "/p/a.bmp");
  EXPECT_EQ(file.LastApplied().layout, WallpaperLayout::Stretch);
  desktop.SetValue("TileWallpaper", "1");
  desktop.Reload();
  EXPECT_EQ(file.LastApplied().layout, WallpaperLayout::Tile);
  EXPECT_EQ(desktop.GetValue("Wallpaper"), "/p/a.bmp");
  EXPECT_EQ(desktop.GetValue("TileWallpaper"), "1");
}

TEST_F(DesktopValuesTest, NothingStoredGivesNoWallpaperCentred) {
  auto backend = std::make_unique<TFileBackend>();
  TFileBackend& file = *backend;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(Folder()), std::move(backend));
  desktop.Reload();
  EXPECT_EQ(file.LastApplied().file, "");
  EXPECT_EQ(file.LastApplied().layout, WallpaperLayout::Center);
  EXPECT_EQ(desktop.GetValue("Wallpaper"), std::nullopt);
}

TEST_F(DesktopValuesTest, WhatTheDesktopShowsWinsOverTheStoredValues) {
  auto backend = std::make_unique<TellingBackend>();
  TellingBackend& telling = *backend;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(Folder()), std::move(backend));
  desktop.OpenKey();
  desktop.SetValue("Wallpaper", "/ours.bmp");
  desktop.SetValue("TileWallpaper", "0");
  desktop.SetValue("WallpaperStyle", "2");
  EXPECT_EQ(desktop.GetValue("Wallpaper"), "/ours.bmp");
  telling.shown = ShownWallpaper{"/someone/else.png", true};
  EXPECT_EQ(desktop.GetValue("Wallpaper"), "/someone/else.png");
  EXPECT_EQ(desktop.GetValue("TileWallpaper"), "1");
  EXPECT_EQ(desktop.GetValue("WallpaperStyle"), "2");
}

TEST_F(DesktopValuesTest, AFailedHandOverNamesTheBackendAndKeepsTheValues) {
  auto backend = std::make_unique<TellingBackend>();
  backend->fail = true;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(Folder()), std::move(backend));
  desktop.OpenKey();
  desktop.SetValue("Wallpaper", "/kept.bmp");
  try {
    desktop.Reload();
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The desktop \"telling\" could not be reached (desktop gone); the wallpaper was not changed.");
  }
  EXPECT_EQ(TDesktopValues(Folder()).Get("Wallpaper"), "/kept.bmp");
}

TEST(DesktopValuesFolder, FollowsXdgConfigHome) {
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/somewhere/cfg");
  EXPECT_EQ(TDesktopValues::DefaultFolder(), "/somewhere/cfg/tesserine");
  qputenv("XDG_CONFIG_HOME", "relative/cfg");
  EXPECT_EQ(TDesktopValues::DefaultFolder(), QDir::homePath() + "/.config/tesserine");
  qputenv("XDG_CONFIG_HOME", "");
  EXPECT_EQ(TDesktopValues::DefaultFolder(), QDir::homePath() + "/.config/tesserine");
  qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
