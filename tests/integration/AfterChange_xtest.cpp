// The real program runs the command after a change on the X root: a one-shot agent hands it
// the picture it shows as "$1" and in TESSERINE_PICTURES, and ends while a command that sleeps
// for a minute still runs; the running agent runs it again after a "--next".
#include <signal.h>
#include <sys/types.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include "BusProgramTest.h"

namespace {

constexpr QRgb kColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
const char* const kNames[] = {"red.bmp", "green.bmp", "blue.bmp"};

class AfterChangeTest : public TBusProgramTest {
 protected:
  QString Picture(int i) const { return Dir() + "/" + kNames[i]; }

  // Three plain pictures in order and the command; info holds the schedule.
  void WriteConfig(const QByteArray& command, const QByteArray& info) {
    TBusProgramTest::WriteConfig("Open Minimized=1\r\nDisplay Order=SEQUENTIAL\r\nSortImages=0\r\n" + info +
                                     "Run After Change=" + command + "\r\n",
                                 {{kNames[0], kColours[0]}, {kNames[1], kColours[1]}, {kNames[2], kColours[2]}});
  }

  // A one-shot run: the agent's first tick changes the wallpaper, and auto-close ends it.
  void WriteOneShot(const QByteArray& command) {
    WriteConfig(command, "AutoClose=1\r\nAutoClose Minutes=0\r\nTrigger Measure=SECONDS\r\nTrigger Qty=1\r\n");
  }

  // What the command wrote to name, once it is there.
  QByteArray Written(const QString& name) {
    TProgramRun::WaitFor([&name] { return QFileInfo::exists(name); }, 10000);
    return TProgramRun::Read(name);
  }

  int ShownIndex() {
    for (int i = 0; i < 3; ++i)
      if (RootPixel() == kColours[i]) return i;
    return -1;
  }

  // "$0", "$1" and TESSERINE_PICTURES, each on its own line, into name; moved into place
  // whole, so a reader never sees half of it.
  static QByteArray Report(const QString& name) {
    const QByteArray file = name.toUtf8();
    return R"(printf '%s\n%s\n%s\n' "$0" "$1" "$TESSERINE_PICTURES" > ')" + file + ".part' && mv '" + file +
           ".part' '" + file + "'";
  }
};

}  // namespace

TEST_F(AfterChangeTest, AOneShotRunHandsTheCommandThePictureItShows) {
  const QString report = Dir() + "/report";
  WriteOneShot(Report(report));
  QProcess& program = Start();
  ASSERT_TRUE(program.waitForFinished(30000)) << "the one-shot run did not end";
  EXPECT_EQ(program.exitCode(), 0);
  const int shown = ShownIndex();
  ASSERT_GE(shown, 0) << "the root shows none of the pictures: " << std::hex << RootPixel();
  const QByteArray picture = Picture(shown).toUtf8();
  EXPECT_EQ(Written(report), "tesserine\n" + picture + "\n" + picture + "\n")
      << "the command names the picture the root shows, as the list holds it";
  EXPECT_TRUE(TProgramRun::Read(run_.Ini()).contains("LastImageNm=" + picture + "\r\n"));
}

TEST_F(AfterChangeTest, AOneShotRunEndsWhileItsCommandStillRuns) {
  const QString pidFile = Dir() + "/pid";
  WriteOneShot("echo $$ > '" + pidFile.toUtf8() + ".part' && mv '" + pidFile.toUtf8() + ".part' '" + pidFile.toUtf8() +
               "' && exec sleep 60");
  QProcess& program = Start();
  ASSERT_TRUE(program.waitForFinished(30000)) << "the one-shot run waited for its command";
  EXPECT_EQ(program.exitCode(), 0);
  const pid_t command = static_cast<pid_t>(Written(pidFile).trimmed().toLong());
  ASSERT_GT(command, 0) << "the command never ran";
  EXPECT_TRUE(TProgramRun::Read(QString("/proc/%1/cmdline").arg(command)).startsWith("sleep"))
      << "the program ended before its command did";
  EXPECT_EQ(getsid(command), command) << "the command runs in a session of its own";
  ::kill(command, SIGKILL);
}

TEST_F(AfterChangeTest, TheRunningAgentRunsItAgainAfterNext) {
  const QString report = Dir() + "/report";
  WriteConfig(Report(report), "Trigger Measure=DAYS\r\nTrigger Qty=1\r\n");
  Start();
  // The agent's start shows a picture and runs the command for it.
  const QByteArray first = Written(report);
  ASSERT_FALSE(first.isEmpty()) << "the start's change ran no command";
  ASSERT_TRUE(QFile::remove(report));
  ASSERT_EQ(Command({"--next"}).exitCode, 0);
  const QByteArray second = Written(report);
  const int shown = ShownIndex();
  ASSERT_GE(shown, 0);
  EXPECT_EQ(second, "tesserine\n" + Picture(shown).toUtf8() + "\n" + Picture(shown).toUtf8() + "\n");
  EXPECT_NE(second, first) << "--next showed another picture";
}

TEST_F(AfterChangeTest, ASetWithNothingRunningRunsItForThePictureItSets) {
  const QString report = Dir() + "/report";
  WriteConfig(Report(report), "Trigger Measure=DAYS\r\nTrigger Qty=1\r\n");
  ASSERT_TRUE(WritePicture(Dir() + "/white.png", 0xFFFFFFFF));
  const TCommandRun set = Command({"--set", "white.png"});
  ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
  const QByteArray picture = (Dir() + "/white.png").toUtf8();
  EXPECT_EQ(Written(report), "tesserine\n" + picture + "\n" + picture + "\n");
}
