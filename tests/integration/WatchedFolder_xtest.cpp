// The real program, as the unattended agent on the X root, on a watched folder with a
// subfolder: it shows one of the folder's pictures and lists them all; a picture copied in
// joins and a deleted one leaves (read back from the configuration the quit saves), and no
// box is shown on the way.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <utility>

#include "ProgramRun.h"
#include "support/PrivateBus.h"
// Xlib's macros clash with Qt's names: after the Qt headers.
#include "support/X11RootPixels.h"

namespace {

class WatchedFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    ASSERT_TRUE(run_.Copied());
  }

  QString Folder() const { return QFileInfo(run_.Ini()).absolutePath() + "/Wallpapers"; }

  void Picture(const QString& relative, QRgb colour) const {
    const QString path = Folder() + "/" + relative;
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(path, "BMP"));
  }

  // Runs the program with option on the private bus: its exit code (-1 when it hangs) and output.
  std::pair<int, QString> Command(const QString& option) {
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
    command.setProcessEnvironment(environment);
    command.start(run_.Exe(), {option});
    if (!command.waitForFinished(20000)) return {-1, QString()};
    return {command.exitCode(), QString::fromLocal8Bit(command.readAllStandardOutput())};
  }

  TPrivateBus bus_;
  TProgramRun run_;
};

TEST_F(WatchedFolderTest, TheAgentShowsTheFoldersPicturesAndFollowsTheFolder) {
  Picture("sub/red.bmp", 0xFFFF0000);
  Picture("blue.bmp", 0xFF0000FF);
  ASSERT_TRUE(TProgramRun::Write(run_.Ini(),
                                 "[Info]\r\nOpen Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\n"
                                 "Default Display=TILE\r\n\r\n[Bitmaps]\r\n\r\n[Folders]\r\n" +
                                     Folder().toUtf8() + "=1\r\n\r\n"));
  QProcess& program = run_.Start({{"TESSERINE_DESKTOP", "x11"}, {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
  QString status;
  ASSERT_TRUE(TProgramRun::WaitFor(
      [&] {
        status = Command("--status").second;
        return status.contains("agent: running\n") && status.contains("image: " + Folder());
      },
      30000))
      << "the agent never showed a picture of the folder: " << status.toStdString();
  Display* display = XOpenDisplay(nullptr);
  ASSERT_TRUE(display);
  const QRgb shown = ReadRootWindow(display, QSize(4, 4)).pixel(1, 1);
  XCloseDisplay(display);
  EXPECT_TRUE(shown == 0xFFFF0000 || shown == 0xFF0000FF) << std::hex << shown;

  Picture("sub/deeper/green.bmp", 0xFF00FF00);
  ASSERT_TRUE(QFile::remove(Folder() + "/blue.bmp"));
  // Joining waits until nobody has written to the file for two seconds.
  QThread::msleep(5000);
  EXPECT_EQ(Command("--quit").first, 0);
  ASSERT_TRUE(program.waitForFinished(20000)) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);
  const QByteArray saved = TProgramRun::Read(run_.Ini());
  EXPECT_TRUE(saved.contains(Folder().toUtf8() + "/sub/red.bmp=TILE")) << saved.constData();
  EXPECT_TRUE(saved.contains(Folder().toUtf8() + "/sub/deeper/green.bmp=TILE")) << saved.constData();
  EXPECT_FALSE(saved.contains(Folder().toUtf8() + "/blue.bmp=")) << saved.constData();
  EXPECT_TRUE(saved.contains("[Folders]\r\n" + Folder().toUtf8() + "=1\r\n")) << saved.constData();
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

}  // namespace
