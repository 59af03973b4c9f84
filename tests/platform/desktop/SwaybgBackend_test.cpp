// swaybg's lifecycle against a stand-in program that records its arguments and its process
// id, then sleeps (or ends at once, as swaybg does without a compositor).
#include "platform/desktop/sway/SwaybgBackend.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "platform/desktop/sway/SwaybgRecord.h"
#include "platform/system/DetachedProcess.h"

namespace {

class SwaybgTest : public ::testing::Test {
 protected:
  void SetUp() override { QDir().mkpath(Runtime()); }

  // Whatever the stand-ins left running ends with the test.
  void TearDown() override {
    for (const auto& [pid, arguments] : Runs())
      if (Alive(pid)) EndProcess(pid, 3000);
  }

  QString Runtime() const { return dir_.filePath("runtime"); }

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

  QProcessEnvironment Wayland() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WAYLAND_DISPLAY", "wayland-test");
    environment.insert("XDG_RUNTIME_DIR", Runtime());
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

  std::vector<pid_t> Alive() const {
    std::vector<pid_t> alive;
    for (const auto& [pid, arguments] : Runs())
      if (Alive(pid)) alive.push_back(pid);
    return alive;
  }

  // Running and not a zombie waiting for its parent.
  static bool Alive(pid_t pid) { return !CommandLineOf(pid).isEmpty(); }

  static std::string ErrorOf(TSwaybgBackend& backend, const WallpaperValues& values) {
    try {
      backend.Apply(values);
    } catch (const TDesktopError& error) {
      return error.what();
    }
    return "no error";
  }

  QTemporaryDir dir_;
};

TEST_F(SwaybgTest, EachChangeReplacesOurSwaybgWhichOutlivesTheRun) {
  const QString program = FakeSwaybg("exec sleep 600");
  std::vector<pid_t> shown;
  {
    TSwaybgBackend swaybg(program, Wayland());
    EXPECT_FALSE(swaybg.Query());
    const WallpaperValues changes[] = {{"/p/a b.bmp", WallpaperLayout::Tile},
                                       {"/p/it's \"q\" $HOME -m.bmp", WallpaperLayout::Stretch},
                                       {"", WallpaperLayout::Center}};
    for (const WallpaperValues& values : changes) {
      swaybg.Apply(values);
      ASSERT_EQ(Alive().size(), 1u) << values.file;
      shown.push_back(Alive().front());
      const auto query = swaybg.Query();
      ASSERT_TRUE(query);
      EXPECT_EQ(query->file, values.file);
      EXPECT_EQ(query->tiled, values.layout == WallpaperLayout::Tile);
    }
    std::vector<QStringList> arguments;
    for (const auto& [pid, list] : Runs()) arguments.push_back(list);
    std::sort(arguments.begin(), arguments.end());
    EXPECT_EQ(arguments, (std::vector<QStringList>{
                             {"-o", "*", "-c", "#000000", "-m", "solid_color"},
                             {"-o", "*", "-i", "/p/a b.bmp", "-m", "tile"},
                             {"-o", "*", "-i", "/p/it's \"q\" $HOME -m.bmp", "-m", "stretch"},
                         }));
  }
  EXPECT_EQ(Alive(), std::vector<pid_t>{shown.back()}) << "the wallpaper stays when the run ends";

  // The next run finds it through the record, reports it and replaces it.
  TSwaybgBackend nextRun(program, Wayland());
  EXPECT_EQ(nextRun.Query()->file, "");
  nextRun.Apply({"/p/next.bmp", WallpaperLayout::Center});
  ASSERT_EQ(Alive().size(), 1u);
  EXPECT_NE(Alive().front(), shown.back());
  EXPECT_EQ(nextRun.Query()->file, "/p/next.bmp");
}

TEST_F(SwaybgTest, OnlyTheSwaybgTheRecordStillNamesIsEnded) {
  const QString program = FakeSwaybg("exec sleep 600");
  // Another program's swaybg, and a record whose process id now belongs to it.
  QProcess other;
  other.start(program, {"-o", "*", "-c", "#112233", "-m", "solid_color"});
  ASSERT_TRUE(other.waitForStarted());
  ASSERT_TRUE(WaitUntilQuiet(static_cast<pid_t>(other.processId()), 50, 5000));
  TSwaybgBackend swaybg(program, Wayland());
  swaybg.Apply({"/p/a.bmp", WallpaperLayout::Tile});
  const std::optional<TSwaybgRecord> ours = ReadSwaybgRecord(swaybg.RecordPath());
  ASSERT_TRUE(ours);
  WriteSwaybgRecord(swaybg.RecordPath(), {static_cast<pid_t>(other.processId()), ours->commandLine + "x", {}});
  EXPECT_FALSE(swaybg.Query()) << "a process with another command line is not ours";

  swaybg.Apply({"/p/b.bmp", WallpaperLayout::Tile});
  EXPECT_EQ(other.state(), QProcess::Running) << "another program's swaybg was ended";
  EXPECT_EQ(Alive().size(), 3u) << "the first of ours was forgotten with the record, and stays";
  other.kill();
  other.waitForFinished();
}

TEST_F(SwaybgTest, FailuresToStartAreErrorsAndKeepTheShownOne) {
  TSwaybgBackend running(FakeSwaybg("exec sleep 600"), Wayland());
  running.Apply({"/a.bmp", WallpaperLayout::Tile});
  const std::vector<pid_t> before = Alive();
  ASSERT_EQ(before.size(), 1u);

  TSwaybgBackend missing(dir_.filePath("no-such-swaybg"), Wayland());
  EXPECT_EQ(ErrorOf(missing, {"/b.bmp", WallpaperLayout::Tile}),
            "The Wayland background program swaybg could not be started (cannot start " +
                dir_.filePath("no-such-swaybg").toStdString() +
                ": No such file or directory); the wallpaper was not changed.");

  TSwaybgBackend endsAtOnce(FakeSwaybg("exit 3"), Wayland());
  EXPECT_EQ(ErrorOf(endsAtOnce, {"/b.bmp", WallpaperLayout::Tile}),
            "The Wayland background program swaybg could not be started (it ended at once with exit code 3: the "
            "compositor may offer no layer-shell); the wallpaper was not changed.");

  QProcessEnvironment noRecord = Wayland();
  noRecord.insert("XDG_RUNTIME_DIR", dir_.filePath("missing-folder"));
  TSwaybgBackend unrecorded(FakeSwaybg("exec sleep 600"), noRecord);
  EXPECT_NE(ErrorOf(unrecorded, {"/b.bmp", WallpaperLayout::Tile}).find("(which swaybg is ours cannot be recorded in "),
            std::string::npos);

  QProcessEnvironment noWayland = Wayland();
  noWayland.remove("WAYLAND_DISPLAY");
  TSwaybgBackend outsideWayland(FakeSwaybg("exec sleep 600"), noWayland);
  EXPECT_EQ(ErrorOf(outsideWayland, {"/b.bmp", WallpaperLayout::Tile}),
            "The Wayland background program swaybg could not be reached (WAYLAND_DISPLAY is not set); the wallpaper "
            "was not changed.");

  EXPECT_EQ(Alive(), before) << "nothing new runs, and the shown one stays";
  EXPECT_EQ(running.Query()->file, "/a.bmp");
}

TEST_F(SwaybgTest, ANameThatIsNotTextIsRefusedAndTheRunningOneStays) {
  TSwaybgBackend swaybg(FakeSwaybg("exec sleep 600"), Wayland());
  swaybg.Apply({"/p/a.bmp", WallpaperLayout::Tile});
  EXPECT_NE(ErrorOf(swaybg, {"/p/\xff.bmp", WallpaperLayout::Tile}), "no error");
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(Alive().size(), 1u);
  EXPECT_EQ(swaybg.Query()->file, "/p/a.bmp");
}

}  // namespace
