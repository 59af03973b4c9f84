// The swaybg child's lifecycle against a stand-in program that records its arguments and
// its process id, then stays (or ends at once, as swaybg does without a compositor).
#include "platform/SwaybgWallpaper.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

namespace {

class SwaybgTest : public ::testing::Test {
 protected:
  // Each start writes "<pid>.args": the arguments, each ended by a NUL.
  QString FakeSwaybg(const QByteArray& then) {
    const QString path = dir_.filePath("swaybg");
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\0' \"$@\" > \"" + dir_.path().toUtf8() + "/$$.args\"\n" + then + "\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }

  static QProcessEnvironment Wayland() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WAYLAND_DISPLAY", "wayland-test");
    return environment;
  }

  // The runs so far, by process id, with the arguments each got.
  std::map<pid_t, QStringList> Runs() const {
    std::map<pid_t, QStringList> runs;
    for (const QString& name : QDir(dir_.path()).entryList({"*.args"})) {
      QFile file(dir_.filePath(name));
      EXPECT_TRUE(file.open(QIODevice::ReadOnly));
      QStringList arguments;
      for (const QByteArray& argument : file.readAll().split('\0')) arguments << QFile::decodeName(argument);
      arguments.removeLast();
      runs[name.section('.', 0, 0).toInt()] = arguments;
    }
    return runs;
  }

  static bool Alive(pid_t pid) { return kill(pid, 0) == 0; }

  static std::string ErrorOf(TSwaybgWallpaper& backend, const WallpaperValues& values) {
    try {
      backend.Apply(values);
    } catch (const TDesktopError& error) {
      return error.what();
    }
    return "no error";
  }

  QTemporaryDir dir_;
};

TEST_F(SwaybgTest, OneChildAtATimeRestartedOnEachChangeAndEndedWithTheBackend) {
  std::vector<pid_t> pids;
  {
    TSwaybgWallpaper swaybg(FakeSwaybg("exec sleep 600"), Wayland());
    EXPECT_FALSE(swaybg.Query());
    const WallpaperValues changes[] = {{"/p/a b.bmp", WallpaperLayout::Tile},
                                       {"/p/it's \"q\" $HOME -m.bmp", WallpaperLayout::Stretch},
                                       {"/p/a b.bmp", WallpaperLayout::Center},
                                       {"", WallpaperLayout::Center}};
    for (const WallpaperValues& values : changes) {
      swaybg.Apply(values);
      const auto runs = Runs();
      const auto alive = std::count_if(runs.begin(), runs.end(), [](const auto& run) { return Alive(run.first); });
      EXPECT_EQ(alive, 1) << values.file;
      const auto shown = swaybg.Query();
      ASSERT_TRUE(shown);
      EXPECT_EQ(shown->file, values.file);
      EXPECT_EQ(shown->tiled, values.layout == WallpaperLayout::Tile);
    }
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 4u);
    std::vector<QStringList> arguments;
    for (const auto& [pid, list] : runs) {
      pids.push_back(pid);
      arguments.push_back(list);
    }
    std::sort(arguments.begin(), arguments.end());
    EXPECT_EQ(arguments, (std::vector<QStringList>{
                             {"-o", "*", "-c", "#000000", "-m", "solid_color"},
                             {"-o", "*", "-i", "/p/a b.bmp", "-m", "center"},
                             {"-o", "*", "-i", "/p/a b.bmp", "-m", "tile"},
                             {"-o", "*", "-i", "/p/it's \"q\" $HOME -m.bmp", "-m", "stretch"},
                         }));
  }
  for (const pid_t pid : pids) EXPECT_FALSE(Alive(pid)) << pid;
}

TEST_F(SwaybgTest, FailuresToStartAreErrorsAndLeaveNothingRunning) {
  TSwaybgWallpaper missing(dir_.filePath("no-such-swaybg"), Wayland());
  EXPECT_EQ(ErrorOf(missing, {"/a.bmp", WallpaperLayout::Tile}).rfind("swaybg: cannot start ", 0), 0u);
  EXPECT_FALSE(missing.Query());

  TSwaybgWallpaper endsAtOnce(FakeSwaybg("exit 3"), Wayland());
  EXPECT_EQ(ErrorOf(endsAtOnce, {"/a.bmp", WallpaperLayout::Tile}), "swaybg: swaybg ended at once with exit code 3");
  EXPECT_FALSE(endsAtOnce.Query());

  QProcessEnvironment noWayland = Wayland();
  noWayland.remove("WAYLAND_DISPLAY");
  TSwaybgWallpaper outsideWayland(FakeSwaybg("exec sleep 600"), noWayland);
  const size_t runs = Runs().size();
  EXPECT_EQ(ErrorOf(outsideWayland, {"/a.bmp", WallpaperLayout::Tile}), "swaybg: WAYLAND_DISPLAY is not set");
  EXPECT_EQ(Runs().size(), runs);
}

TEST_F(SwaybgTest, ANameThatIsNotTextIsRefusedAndTheRunningOneStays) {
  TSwaybgWallpaper swaybg(FakeSwaybg("exec sleep 600"), Wayland());
  swaybg.Apply({"/p/a.bmp", WallpaperLayout::Tile});
  EXPECT_NE(ErrorOf(swaybg, {"/p/\xff.bmp", WallpaperLayout::Tile}), "no error");
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_TRUE(Alive(Runs().begin()->first));
  EXPECT_EQ(swaybg.Query()->file, "/p/a.bmp");
}

}  // namespace
