// The real program driven from outside: a second process of the same executable hands it
// commands over a private session bus (never the user's), and the first does each: the root
// picture changes, the status says paused, and a quit saves the configuration and ends it.
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <map>
#include <set>
#include <vector>

#include "BusProgramTest.h"

namespace {

constexpr QRgb kColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
const char* const kNames[] = {"red.bmp", "green.bmp", "blue.bmp"};

class RemoteControlTest : public TBusProgramTest {
 protected:
  void WriteConfig() {
    TBusProgramTest::WriteConfig("Open Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\n",
                                 {{kNames[0], kColours[0]}, {kNames[1], kColours[1]}, {kNames[2], kColours[2]}});
  }
};

TEST_F(RemoteControlTest, ASecondProcessDrivesTheRunningAgent) {
  WriteConfig();
  QProcess& program = run_.Start({{"TESSERINE_DESKTOP", "x11"}, {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
  TCommandRun status;
  ASSERT_TRUE(TProgramRun::WaitFor(
      [&] {
        status = Command({"--status"});
        return status.exitCode == 0 && status.out.contains("image: " + Dir() + "/green.bmp\n");
      },
      20000))
      << "the agent's first change never showed: " << status.out.toStdString() << status.err.toStdString();
  EXPECT_TRUE(status.out.contains("agent: running\n"));
  EXPECT_TRUE(status.out.contains("method: TILE\n"));
  EXPECT_TRUE(status.out.contains("paused: no\n"));
  EXPECT_EQ(RootPixel(), kColours[1]);

  const TCommandRun next = Command({"--next"});
  EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
  EXPECT_EQ(RootPixel(), kColours[2]) << "the running program did not change the wallpaper";

  EXPECT_EQ(Command({"--pause"}).exitCode, 0);
  EXPECT_TRUE(Command({"--status"}).out.contains("paused: yes\n"));
  EXPECT_EQ(Command({"--toggle-pause"}).exitCode, 0);
  EXPECT_TRUE(Command({"--status"}).out.contains("paused: no\n"));

  const TCommandRun quit = Command({"--quit"});
  EXPECT_EQ(quit.exitCode, 0) << quit.err.toStdString();
  ASSERT_TRUE(program.waitForFinished(20000)) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);
  const QByteArray saved = TProgramRun::Read(run_.Ini());
  EXPECT_TRUE(saved.contains("Display Order=SEQUENTIAL\r\n")) << "the quit did not save: " << saved.constData();
  EXPECT_TRUE(saved.contains("LastImageNm=" + (Dir() + "/blue.bmp").toUtf8() + "\r\n"));
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";

  // Nothing runs now: a command that needs the program says so and starts nothing.
  const TCommandRun after = Command({"--pause"});
  EXPECT_EQ(after.exitCode, 1);
  EXPECT_EQ(after.err, "Tesserine is not running\n");
  EXPECT_EQ(TProgramRun::Read(run_.Ini()), saved);
  EXPECT_EQ(Command({"--status"}).exitCode, 1) << "the command started the program";
}

TEST_F(RemoteControlTest, PausingNeedsTheAgentAndCommandsWaitForNoBox) {
  WriteConfig();
  QByteArray ini = TProgramRun::Read(run_.Ini());
  ini.replace("Open Minimized=1", "Open Minimized=0");
  ASSERT_TRUE(TProgramRun::Write(run_.Ini(), ini));
  QProcess& program = run_.Start({{"TESSERINE_DESKTOP", "x11"}, {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
  ASSERT_TRUE(TProgramRun::WaitFor([&] { return Command({"--status"}).out.contains("agent: stopped"); }, 20000));
  const TCommandRun pause = Command({"--pause"});
  EXPECT_EQ(pause.exitCode, 1);
  EXPECT_EQ(pause.err, "The agent is not running\n") << pause.err.toStdString();
  // Without the agent, --next changes to the next entry as the tray would, with no timer.
  EXPECT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_TRUE(Command({"--status"}).out.contains("image: " + Dir() + "/green.bmp\n"));
  EXPECT_EQ(RootPixel(), kColours[1]);
  EXPECT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitCode(), 0);
}

// With nothing running, --show starts the program with its window shown and no agent,
// whatever "Open Minimized" says; the start is the command's own process.
TEST_F(RemoteControlTest, ShowStartsTheWindowWhenNothingRuns) {
  WriteConfig();
  QProcess show;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
  environment.insert("TESSERINE_DESKTOP", "file");
  environment.insert("TESSERINE_MESSAGE_LOG", run_.Log());
  show.setProcessEnvironment(environment);
  // Its output goes where the test's goes: an unread pipe that fills would stop it.
  show.setProcessChannelMode(QProcess::ForwardedChannels);
  show.start(run_.Exe(), {"--show"});
  ASSERT_TRUE(show.waitForStarted());
  TCommandRun status;
  ASSERT_TRUE(TProgramRun::WaitFor(
      [&] {
        status = Command({"--status"});
        return status.exitCode == 0;
      },
      20000))
      << "the shown program never answered: " << status.err.toStdString()
      << (show.state() == QProcess::Running ? "it still runs" : "it ended")
      << "; boxes: " << TProgramRun::Read(run_.Log()).constData();
  EXPECT_TRUE(status.out.contains("agent: stopped\n")) << status.out.toStdString();
  EXPECT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(show.waitForFinished(20000));
  EXPECT_EQ(show.exitCode(), 0);
}

TEST_F(RemoteControlTest, PreviousGoesBackAndNextForwardAlsoAfterARestart) {
  // Five pictures, so that three changes never come round to the first again.
  const QRgb colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF};
  QByteArray ini =
      "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger "
      "Qty=1\r\nSortImages=0\r\n\r\n[Bitmaps]\r\n";
  for (int i = 0; i < 5; ++i) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colours[i]);
    ASSERT_TRUE(picture.save(Dir() + QString("/p%1.bmp").arg(i), "BMP"));
    ini += (Dir() + QString("/p%1.bmp").arg(i)).toUtf8() + "=TILE.NOT\r\n";
  }
  ASSERT_TRUE(TProgramRun::Write(run_.Ini(), ini));
  const auto shown = [&] {
    const QString out = Command({"--status"}).out;
    const qsizetype at = out.indexOf("image: ");
    return at < 0 ? QString() : out.mid(at + 7, out.indexOf('\n', at) - at - 7);
  };
  const std::map<QString, QString> environment{{"TESSERINE_DESKTOP", "x11"},
                                               {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}};
  QProcess* program = &run_.Start(environment);
  ASSERT_TRUE(TProgramRun::WaitFor([&] { return !shown().isEmpty(); }, 20000)) << "the agent never changed";
  const TCommandRun nothingBehind = Command({"--previous"});
  EXPECT_EQ(nothingBehind.exitCode, 1);
  EXPECT_EQ(nothingBehind.err, "There is no earlier wallpaper to go back to\n");

  std::vector<QString> order{shown()};
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Command({"--next"}).exitCode, 0);
    order.push_back(shown());
  }
  ASSERT_EQ(std::set<QString>(order.begin(), order.end()).size(), 4u) << "the changes repeated a picture";
  EXPECT_EQ(Command({"--previous"}).exitCode, 0);
  EXPECT_EQ(shown(), order[2]);
  EXPECT_EQ(Command({"--previous"}).exitCode, 0);
  EXPECT_EQ(shown(), order[1]);
  // "pN.bmp": the root shows picture N.
  EXPECT_EQ(RootPixel(), colours[order[1].at(order[1].size() - 5).digitValue()]);
  EXPECT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_EQ(shown(), order[2]) << "Next did not walk forward through what was shown";

  ASSERT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(program->waitForFinished(20000));
  EXPECT_TRUE(QFileInfo::exists(Dir() + "/tesserine.history"));
  program = &run_.Start(environment);
  ASSERT_TRUE(TProgramRun::WaitFor([&] { return shown() == order[2]; }, 20000)) << shown().toStdString();
  EXPECT_EQ(Command({"--previous"}).exitCode, 0);
  EXPECT_EQ(shown(), order[1]) << "the way back did not survive the restart";
  EXPECT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_EQ(shown(), order[2]);
  EXPECT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_EQ(shown(), order[3]);
  ASSERT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(program->waitForFinished(20000));
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

}  // namespace
