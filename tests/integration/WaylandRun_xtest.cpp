// The real program as a native Wayland client of a headless sway, with no X server and no
// Xwayland: the loader picks our own background program (sway's own background on or off),
// the agent changes the wallpaper on schedule, and a termination ends the run with the state saved.
// The systemd user unit's ExecStart runs as the unit would run it, by hand: with the user
// manager's environment and what the README's import hands it, in the home folder.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <functional>

#include "ProgramRun.h"
#include "support/HeadlessSway.h"
#include "support/PrivateBus.h"
#include "support/StandInPortal.h"
#include "support/WaitFor.h"

namespace {

const char* const kColors[] = {"red", "green", "blue"};
constexpr QRgb kPixels[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
constexpr QRgb kYellow = 0xFFFFFF00;
const QString kFloating = "for_window [app_id=\".*\"] floating enable";

// Whether a node of sway's tree, or one below it, satisfies found.
bool AnyNode(const QJsonObject& node, const std::function<bool(const QJsonObject&)>& found) {
  if (found(node)) return true;
  for (const char* children : {"nodes", "floating_nodes"})
    for (const QJsonValue& child : node.value(children).toArray())
      if (AnyNode(child.toObject(), found)) return true;
  return false;
}

class WaylandRunTest : public ::testing::Test {
 protected:
  void Start(bool ownBackground, const QStringList& extraConfig = {}) {
    sway_ = std::make_unique<THeadlessSway>(
        HeadlessSwayOptions{1, {1024, 768}, ownBackground, QStringList{kFloating} + extraConfig});
    if (!sway_->StartError().isEmpty()) GTEST_SKIP() << sway_->StartError().toStdString();
    dir_ = sway_->SharedDir();
    ASSERT_TRUE(CopyProgram(dir_ + "/tesserine"));
    QByteArray ini =
        "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nDisplay Order=SEQUENTIAL\r\nSortImages=0\r\n"
        "Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n\r\n[Bitmaps]\r\n";
    for (int i = 0; i < 3; ++i) {
      QImage picture(16, 16, QImage::Format_RGB32);
      picture.fill(kPixels[i]);
      const QString path = dir_ + "/" + kColors[i] + ".bmp";
      ASSERT_TRUE(picture.save(path, "BMP"));
      QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
      ini += path.toUtf8() + "=TILE.NOT\r\n";
    }
    QFile file(dir_ + "/tesserine.INI");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ini);
  }

  void TearDown() override {
    if (program_.state() != QProcess::NotRunning) {
      program_.kill();
      program_.waitForFinished();
    }
  }

  // Under the leak checker, Qt's Wayland client leaves one allocation at exit in a module
  // already unloaded, which no suppression can name; the X11 runs of the same program
  // check its own leaks.
  static void QuietLeakChecker(QProcessEnvironment& run) {
    if (run.contains("ASAN_OPTIONS")) run.insert("ASAN_OPTIONS", run.value("ASAN_OPTIONS") + ":detect_leaks=0");
  }

  // As a Wayland session starts programs: no DISPLAY, no QT_QPA_PLATFORM, no override.
  void StartProgram(const QProcessEnvironment& environment) {
    QProcessEnvironment run = environment;
    run.remove("TESSERINE_DESKTOP");
    run.insert("XDG_SESSION_TYPE", "wayland");
    QuietLeakChecker(run);
    run.insert("TESSERINE_MESSAGE_LOG", dir_ + "/messages.log");
    run.insert("XDG_CONFIG_HOME", dir_ + "/config");
    StartProgramWith(run, dir_ + "/tesserine", {});
  }

  void StartProgramWith(const QProcessEnvironment& run, const QString& program, const QStringList& arguments) {
    program_.setProcessEnvironment(run);
    program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_.start(program, arguments);
    ASSERT_TRUE(program_.waitForStarted());
  }

  // The unit's ExecStart, its program the copy under test.
  QStringList UnitCommand() const {
    QFile unit(TESSERINE_TEST_DATA "/../../data/tesserine.service.in");
    if (!unit.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : unit.readAll().split('\n'))
      if (line.startsWith("ExecStart="))
        return QString::fromUtf8(line.mid(10)).replace("@TESSERINE_BINDIR@", dir_).split(' ', Qt::SkipEmptyParts);
    return {};
  }

  // What a systemd user manager hands its units, plus the variables the README's
  // "systemctl --user import-environment" line imports from sway: no DISPLAY, no
  // XDG_SESSION_TYPE, no session bus here.
  QProcessEnvironment UnitEnvironment(bool swaySocket) const {
    const QProcessEnvironment sway = sway_->ClientEnvironment();
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment unit;
    unit.insert("PATH", system.value("PATH"));
    unit.insert("HOME", dir_ + "/home");
    unit.insert("USER", system.value("USER", "root"));
    unit.insert("LOGNAME", system.value("LOGNAME", "root"));
    unit.insert("LANG", "C.UTF-8");
    unit.insert("XDG_RUNTIME_DIR", sway.value("XDG_RUNTIME_DIR"));
    unit.insert("WAYLAND_DISPLAY", sway.value("WAYLAND_DISPLAY"));
    if (swaySocket) {
      unit.insert("SWAYSOCK", sway.value("SWAYSOCK"));
      unit.insert("XDG_CURRENT_DESKTOP", "sway");
    } else {
      unit.insert("XDG_CURRENT_DESKTOP", "river");
    }
    for (const char* checker : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
      if (system.contains(checker)) unit.insert(checker, system.value(checker));
    QuietLeakChecker(unit);
    // The test's own: a box would be logged rather than wait for a click.
    unit.insert("TESSERINE_MESSAGE_LOG", dir_ + "/messages.log");
    return unit;
  }

  // Runs the unit's ExecStart by hand; the program's own copy is the test's, beside its
  // configuration.
  void StartAsTheUnit(bool swaySocket) {
    const QStringList command = UnitCommand();
    ASSERT_EQ(command, (QStringList{dir_ + "/tesserine", "--login"}));
    ASSERT_TRUE(QDir().mkpath(dir_ + "/home"));
    program_.setWorkingDirectory(dir_ + "/home");
    StartProgramWith(UnitEnvironment(swaySocket), command.first(), command.mid(1));
  }

  // One more start beside the running program, as the compositor's own "exec" makes it: both
  // WAYLAND_DISPLAY and the X display. Returns its exit code; -1 when it did not end.
  int StartBeside(const QStringList& arguments) {
    QProcessEnvironment compositor = sway_->ClientEnvironment();
    compositor.insert("DISPLAY", QProcessEnvironment::systemEnvironment().value("DISPLAY", ":0"));
    compositor.insert("TESSERINE_MESSAGE_LOG", dir_ + "/messages.log");
    compositor.insert("XDG_CONFIG_HOME", dir_ + "/config");
    compositor.insert("XDG_SESSION_TYPE", "wayland");
    compositor.remove("TESSERINE_DESKTOP");
    QuietLeakChecker(compositor);
    QProcess beside;
    beside.setProcessEnvironment(compositor);
    beside.setProcessChannelMode(QProcess::ForwardedChannels);
    beside.start(dir_ + "/tesserine", arguments);
    if (!beside.waitForFinished(30000)) {
      beside.kill();
      beside.waitForFinished();
      return -1;
    }
    return beside.exitStatus() == QProcess::NormalExit ? beside.exitCode() : -1;
  }

  QRgb ShownPixel() const {
    const QImage shot = sway_->Screenshot();
    return shot.isNull() ? 0 : shot.pixel(20, shot.height() - 20);
  }

  QByteArray MessageLog() const {
    QFile log(dir_ + "/messages.log");
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
  }

  // The unit's start changes the wallpaper; beside it a second start at log-in, with the
  // compositor's environment, ends with 0 and no box, while a plain start finds the same lock
  // and says so. Then a unit's agent that closes itself after its change leaves its wallpaper.
  void CheckTheUnitsStart(bool swaySocket) {
    StartAsTheUnit(swaySocket);
    EXPECT_EQ(WatchColours(1), std::vector<QRgb>{kPixels[1]}) << "the unit's start changed nothing";
    ASSERT_EQ(program_.state(), QProcess::Running);

    EXPECT_EQ(StartBeside({"--login"}), 0);
    EXPECT_EQ(MessageLog(), "") << "a second start at log-in showed a box";
    EXPECT_EQ(StartBeside({}), 0);
    EXPECT_TRUE(MessageLog().endsWith("\tTesserine is already running\n"))
        << "a plain start beside the unit's took another lock: " << MessageLog().constData();
    EXPECT_EQ(program_.state(), QProcess::Running);
    program_.terminate();
    ASSERT_TRUE(program_.waitForFinished(20000));
    EXPECT_EQ(program_.exitCode(), 0);

    // One picture the first run never showed, so its change cannot be mistaken for one of the
    // first run's that sway draws late.
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(kYellow);
    const QString yellow = dir_ + "/yellow.bmp";
    ASSERT_TRUE(picture.save(yellow, "BMP"));
    QFile::setPermissions(yellow, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile ini(dir_ + "/tesserine.INI");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(
        "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nAutoClose=1\r\nAutoClose Minutes=0\r\nTrigger "
        "Measure=SECONDS\r\n"
        "Trigger Qty=1\r\n\r\n[Bitmaps]\r\n" +
        yellow.toUtf8() + "=TILE.NOT\r\n");
    ini.close();
    QFile::remove(dir_ + "/messages.log");
    StartAsTheUnit(swaySocket);
    ASSERT_TRUE(program_.waitForFinished(20000)) << "the unit's agent did not close itself";
    EXPECT_EQ(program_.exitCode(), 0);
    // The picture is drawn a moment after it was handed over.
    EXPECT_TRUE(WaitFor([&] { return ShownPixel() == kYellow; }, 10000))
        << "the unit's second start changed nothing: " << std::hex << ShownPixel();
    QThread::msleep(1000);
    EXPECT_EQ(ShownPixel(), kYellow) << "the wallpaper went with the unit's process";
    EXPECT_EQ(MessageLog(), "");
  }

  // After the agent's first change, the schedule waits for days: only commands change the picture.
  void ScheduleForDays() {
    QFile ini(dir_ + "/tesserine.INI");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    text.replace("Trigger Measure=SECONDS", "Trigger Measure=DAYS");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text);
  }

  // The pictures' colours the bottom left corner shows in turn.
  std::vector<QRgb> WatchColours(std::size_t count) {
    std::vector<QRgb> seen;
    WaitFor(
        [&] {
          const QImage shot = sway_->Screenshot();
          const QRgb pixel = shot.isNull() ? 0 : shot.pixel(20, shot.height() - 20);
          if (std::find(std::begin(kPixels), std::end(kPixels), pixel) != std::end(kPixels) &&
              (seen.empty() || seen.back() != pixel))
            seen.push_back(pixel);
          return seen.size() >= count;
        },
        30000);
    return seen;
  }

  bool NativeWindowShown() {
    const qint64 pid = program_.processId();
    return AnyNode(sway_->Query("get_tree").object(), [pid](const QJsonObject& node) {
      return node.value("pid").toInteger() == pid && node.value("shell").toString() == "xdg_shell";
    });
  }

  void EndProgram() {
    program_.terminate();
    ASSERT_TRUE(program_.waitForFinished(20000));
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);
    QFile ini(dir_ + "/tesserine.INI");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("LastDispStr=TILE\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("LastChgDateTime="));
    QFile log(dir_ + "/messages.log");
    EXPECT_FALSE(log.exists() && log.size() > 0) << (log.open(QIODevice::ReadOnly) ? log.readAll().constData() : "");
  }

  std::unique_ptr<THeadlessSway> sway_;
  QString dir_;
  QProcess program_;
};

// Under sway, its own background on, the agent's pictures show through tesserine-background.
TEST_F(WaylandRunTest, UnderSwayTheAgentChangesTheWallpaperThroughItsBackground) {
  Start(true);
  StartProgram(sway_->ClientEnvironment());
  EXPECT_EQ(WatchColours(2), (std::vector<QRgb>{kPixels[1], kPixels[2]}));
  EXPECT_TRUE(WaitFor([this] { return NativeWindowShown(); }, 10000)) << "no native Wayland window of the program";
  EndProgram();
}

// Under sway the colour scheme switches our background between the entry shown and its dark
// partner, with no new pick: the partner while the portal says dark, the entry once it says
// light.
TEST_F(WaylandRunTest, UnderSwayTheSchemeSwitchesBetweenAnEntryAndItsDarkPartner) {
  Start(true);
  ScheduleForDays();
  QImage yellow(16, 16, QImage::Format_RGB32);
  yellow.fill(kYellow);
  ASSERT_TRUE(yellow.save(dir_ + "/yellow.bmp", "BMP"));
  QFile ini(dir_ + "/tesserine.INI");
  ASSERT_TRUE(ini.open(QIODevice::Append));
  // The first change of the sequence shows green.
  ini.write("\r\n[Dark]\r\n" + (dir_ + "/green.bmp=" + dir_ + "/yellow.bmp").toUtf8() + "\r\n");
  ini.close();
  TPrivateBus bus;
  ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
  TStandInPortal portal(bus.Address(), "portal", true);
  ASSERT_TRUE(portal.served);
  portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(1u), false);
  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.Address());
  StartProgram(environment);
  const auto shows = [this](QRgb colour) {
    return WaitForEvents(
        [&] {
          const QImage shot = sway_->Screenshot();
          return !shot.isNull() && shot.pixel(20, shot.height() - 20) == colour;
        },
        30000);
  };
  EXPECT_TRUE(shows(kYellow)) << "the dark partner did not show while dark";
  ASSERT_TRUE(portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(2u)));
  EXPECT_TRUE(shows(kPixels[1])) << "the entry did not come back when light";
  EndProgram();
}

// An agent that has ended leaves its wallpaper on the screen, as on every other desktop, and
// the next run hands its picture to the same tesserine-background rather than starting another.
TEST_F(WaylandRunTest, UnderAnotherCompositorTheBackgroundShowsItAndItStaysAfterTheProgram) {
  Start(false);
  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.remove("SWAYSOCK");
  environment.insert("XDG_CURRENT_DESKTOP", "labwc:wlroots");
  StartProgram(environment);
  EXPECT_EQ(WatchColours(2), (std::vector<QRgb>{kPixels[1], kPixels[2]}));
  EndProgram();
  const auto shownPixel = [this] {
    const QImage shot = sway_->Screenshot();
    return shot.isNull() ? 0 : shot.pixel(20, shot.height() - 20);
  };
  const QRgb left = shownPixel();
  EXPECT_TRUE(std::find(std::begin(kPixels), std::end(kPixels), left) != std::end(kPixels))
      << "the wallpaper went with the program: " << std::hex << left;
  QThread::msleep(1000);
  EXPECT_EQ(shownPixel(), left) << "the wallpaper did not stay";
  EXPECT_EQ(sway_->Backgrounds().size(), 1u);

  // The second run closes itself after its change, as an agent started at log-in often does.
  QFile ini(dir_ + "/tesserine.INI");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  QByteArray text = ini.readAll();
  ini.close();
  text.replace("[Info]\r\n", "[Info]\r\nAutoClose=1\r\nAutoClose Minutes=0\r\n");
  text.replace("AutoClose=0\r\n", "");
  // Its change is due at once, however soon after the first run's last change it starts.
  const qsizetype lastChange = text.indexOf("LastChgDateTime=");
  ASSERT_GE(lastChange, 0);
  text.remove(lastChange, text.indexOf("\r\n", lastChange) + 2 - lastChange);
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write(text);
  ini.close();
  StartProgram(environment);
  ASSERT_TRUE(program_.waitForFinished(20000)) << "the agent did not close itself";
  EXPECT_EQ(program_.exitCode(), 0);
  // The compositor shows the new buffer a moment after the program has handed it over.
  WaitFor([&] { return shownPixel() != left; }, 5000);
  const QRgb changed = shownPixel();
  EXPECT_NE(changed, left) << "the second run changed nothing";
  EXPECT_TRUE(std::find(std::begin(kPixels), std::end(kPixels), changed) != std::end(kPixels));
  QThread::msleep(1000);
  EXPECT_EQ(shownPixel(), changed) << "the wallpaper went with the auto-closed agent";
  EXPECT_EQ(sway_->Backgrounds().size(), 1u) << "the second run started a second background";
  EXPECT_EQ(sway_->SwaybgCount(), 0);
}

// A change cross-fades through tesserine-background, which goes on after the one-shot agent
// has ended and keeps the picture; the next run fades from that picture to its own.
TEST_F(WaylandRunTest, UnderAnotherCompositorEachRunFadesFromWhatTheLastOneLeft) {
  Start(false);
  if (!sway_) return;
  QFile ini(dir_ + "/tesserine.INI");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  QByteArray text = ini.readAll();
  ini.close();
  text.replace("Fade Milliseconds=0\r\n", "Fade Milliseconds=2500\r\nAutoClose=1\r\nAutoClose Minutes=0\r\n");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write(text);
  ini.close();
  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.remove("SWAYSOCK");
  environment.insert("XDG_CURRENT_DESKTOP", "labwc:wlroots");
  const auto shownPixel = [this] {
    const QImage shot = sway_->Screenshot();
    return shot.isNull() ? QRgb(0) : shot.pixel(20, shot.height() - 20);
  };
  const auto blended = [](QRgb pixel) {
    for (int channel : {qRed(pixel), qGreen(pixel), qBlue(pixel)})
      if (channel > 8 && channel < 247) return true;
    return false;
  };
  // One run: the pixels seen until its fade is over, and the picture it left.
  const auto run = [&](std::vector<QRgb>& seen) {
    StartProgram(environment);
    QDeadlineTimer fade(6000);
    while (!fade.hasExpired()) seen.push_back(shownPixel());
    EXPECT_TRUE(program_.waitForFinished(20000)) << "the one-shot agent did not end";
    return shownPixel();
  };
  std::vector<QRgb> first;
  const QRgb left = run(first);
  EXPECT_TRUE(std::find(std::begin(kPixels), std::end(kPixels), left) != std::end(kPixels)) << std::hex << left;
  std::vector<QRgb> second;
  const QRgb now = run(second);
  EXPECT_NE(now, left) << "the second run changed nothing";
  EXPECT_TRUE(std::find(std::begin(kPixels), std::end(kPixels), now) != std::end(kPixels)) << std::hex << now;
  EXPECT_EQ(second.front(), left) << "the second run did not start from the picture the first left";
  EXPECT_TRUE(std::any_of(second.begin(), second.end(), blended)) << "the second change did not fade";
  EXPECT_EQ(sway_->Backgrounds().size(), 1u) << "one background serves both runs";
}

// The key binding a sway user writes, "bindsym $mod+n exec tesserine --next", pressed on a
// virtual keyboard: sway runs the command, which reaches the running agent over the session
// bus, and the agent shows its next picture.
TEST_F(WaylandRunTest, ASwayKeyBindingShowsTheNextPicture) {
  // sway runs as another user when the tests run as root, so the bus lets every user in, and
  // the binding runs a script in a folder every user can read.
  TPrivateBus bus(true);
  ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
  QTemporaryDir scripts;
  QFile::setPermissions(scripts.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                            QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
  const QString next = scripts.filePath("next");
  Start(true, {"bindsym Mod4+n exec " + next});
  if (!sway_) return;
  QFile script(next);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nexec env DBUS_SESSION_BUS_ADDRESS='" + bus.Address().toUtf8() + "' '" + dir_.toUtf8() +
               "/tesserine' --next\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  QFile::setPermissions(dir_ + "/tesserine",
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  // Only the key changes the picture.
  ScheduleForDays();

  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.Address());
  StartProgram(environment);
  EXPECT_EQ(WatchColours(1), std::vector<QRgb>{kPixels[1]}) << "the agent's start did not show its picture";
  QProcess key;
  key.setProcessEnvironment(sway_->ClientEnvironment());
  key.start("wtype", {"-M", "logo", "-k", "n", "-m", "logo"});
  ASSERT_TRUE(key.waitForFinished(10000));
  ASSERT_EQ(key.exitCode(), 0) << key.readAllStandardError().constData();
  EXPECT_TRUE(WaitFor(
      [this] {
        const QImage shot = sway_->Screenshot();
        return !shot.isNull() && shot.pixel(20, shot.height() - 20) == kPixels[2];
      },
      30000))
      << "the key binding changed nothing";
  EndProgram();
}

// Going back under sway: --previous puts the earlier picture back on the output, and --next
// walks forward to the later one again.
TEST_F(WaylandRunTest, UnderSwayPreviousAndNextWalkThroughWhatWasShown) {
  TPrivateBus bus;
  ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
  Start(true);
  if (!sway_) return;
  ScheduleForDays();
  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.Address());
  StartProgram(environment);
  EXPECT_EQ(WatchColours(1), std::vector<QRgb>{kPixels[1]}) << "the agent's start did not show its picture";
  const auto command = [&](const char* option) {
    QProcess run;
    run.setProcessEnvironment(environment);
    run.start(dir_ + "/tesserine", {option});
    return run.waitForFinished(20000) ? run.exitCode() : -1;
  };
  const auto shows = [this](QRgb pixel) { return WaitFor([&] { return ShownPixel() == pixel; }, 30000); };
  ASSERT_EQ(command("--next"), 0);
  EXPECT_TRUE(shows(kPixels[2])) << "--next changed nothing";
  ASSERT_EQ(command("--previous"), 0);
  EXPECT_TRUE(shows(kPixels[1])) << "--previous did not bring the earlier picture back";
  ASSERT_EQ(command("--next"), 0);
  EXPECT_TRUE(shows(kPixels[2])) << "--next did not walk forward again";
  EndProgram();
}

TEST_F(WaylandRunTest, TheUnitsStartUnderSwayChangesTheWallpaperAndASecondLogInStartEndsSilently) {
  Start(true);
  if (IsSkipped() || HasFatalFailure()) return;
  CheckTheUnitsStart(true);
}

// Under a compositor without sway's IPC the agent's background must outlive the unit's process.
TEST_F(WaylandRunTest, TheUnitsStartUnderAnotherCompositorLeavesItsBackground) {
  Start(false);
  if (IsSkipped() || HasFatalFailure()) return;
  CheckTheUnitsStart(false);
  EXPECT_EQ(sway_->Backgrounds().size(), 1u);
}

}  // namespace
