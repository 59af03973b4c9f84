// The real agent, unattended, on desktops that cannot take the wallpaper, as at a log-in that
// starts it before the desktop's settings service or after the compositor was restarted:
// whether its start or its first tick makes the change, it shows no box (any box would wait
// for an answer that never comes) and ends by itself after "Auto close after 0 minutes",
// with its list intact.
#include <QFileInfo>
#include <QImage>

#include "ProgramRun.h"

namespace {

struct DesktopFault {
  const char* name;
  std::map<QString, QString> environment;  // filled in with the run's folder for "%1"
};

const DesktopFault kFaults[] = {
    {"XFCE without a session bus",
     {{"XDG_CURRENT_DESKTOP", "XFCE"}, {"DBUS_SESSION_BUS_ADDRESS", "unix:path=%1/no-bus"}}},
    {"KDE without a session bus",
     {{"XDG_CURRENT_DESKTOP", "KDE"}, {"DBUS_SESSION_BUS_ADDRESS", "unix:path=%1/no-bus"}}},
    {"sway with a stale socket", {{"XDG_CURRENT_DESKTOP", "sway"}, {"SWAYSOCK", "%1/sway-ipc.gone.sock"}}},
    {"GNOME without its schemas",
     {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"XDG_DATA_DIRS", "%1/no-data"}, {"GSETTINGS_SCHEMA_DIR", ""}}},
};

// The change happens at the agent's start (the last change's method differs from the entry's)
// or at its first tick (nothing changed yet).
enum class ChangeAt { Start, Tick };

class DesktopFaultTest : public ::testing::TestWithParam<std::tuple<DesktopFault, ChangeAt>> {};

TEST_P(DesktopFaultTest, TheUnattendedAgentShowsNoBoxAndEndsAsConfigured) {
  const auto& [fault, at] = GetParam();
  TProgramRun run;
  ASSERT_TRUE(run.Copied());
  const QString dir = QFileInfo(run.Ini()).absolutePath();
  QByteArray bitmaps = "[Bitmaps]\r\n";
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(dir + "/" + name, "BMP"));
    bitmaps += (dir + "/" + name).toUtf8() + "=TILE.NOT\r\n";
  }
  const QByteArray last =
      at == ChangeAt::Start ? "LastImageNm=" + (dir + "/a.bmp").toUtf8() + "\r\nLastDispStr=CENTER\r\n" : QByteArray();
  const QByteArray ini =
      "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nAutoClose=1\r\nAutoClose Minutes=0\r\nTrigger "
      "Measure=SECONDS\r\n"
      "Trigger Qty=1\r\nSortImages=0\r\n" +
      last + "\r\n" + bitmaps;
  ASSERT_TRUE(TProgramRun::Write(run.Ini(), ini));

  std::map<QString, QString> environment{{"TESSERINE_DESKTOP", ""}, {"TESSERINE_TEST_ANSWERS", "wait,wait,wait"}};
  for (const auto& [name, value] : fault.environment) environment[name] = QString(value).replace("%1", dir);
  QProcess& program = run.Start(environment);
  ASSERT_TRUE(program.waitForFinished(30000)) << "the agent did not end: " << TProgramRun::Read(run.Log()).constData();
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(TProgramRun::Read(run.Log()), "") << "a box was shown";
  const QByteArray saved = TProgramRun::Read(run.Ini());
  EXPECT_TRUE(saved.contains(bitmaps)) << saved.constData();
  EXPECT_TRUE(saved.contains("AutoClose Minutes=0\r\n")) << saved.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DesktopFaultTest,
    ::testing::Combine(::testing::ValuesIn(kFaults), ::testing::Values(ChangeAt::Start, ChangeAt::Tick)),
    [](const auto& info) {
      QString name = QString(std::get<0>(info.param).name).replace(' ', '_');
      return (name + (std::get<1>(info.param) == ChangeAt::Start ? "_at_start" : "_at_tick")).toStdString();
    });

}  // namespace
