// The real program, as the unattended agent on the X root, on a watched folder with
// subfolders: it shows one of the folder's pictures and lists them all; a picture copied in
// joins and a deleted one leaves (read back from the configuration the quit saves); the
// folder moved away and back changes nothing; an agent that closes itself after its change
// ends on its own with the folder's pictures saved. No box is shown on the way.
#include <QTemporaryDir>

#include "WatchedFolderRun.h"
// Xlib's macros clash with Qt's names: after the Qt headers.
#include "support/X11RootPixels.h"

namespace {

class WatchedFolderTest : public TWatchedFolderRun {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    ASSERT_TRUE(home_.isValid());
    Prepare(home_.path());
  }

  QProcessEnvironment Environment() const override {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
    return environment;
  }

  QRgb ShownPixel() const override {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    const QRgb shown = ReadRootWindow(display, QSize(4, 4)).pixel(1, 1);
    XCloseDisplay(display);
    return shown;
  }

  QTemporaryDir home_;
};

TEST_F(WatchedFolderTest, TheAgentShowsTheFoldersPicturesAndFollowsTheFolder) {
  ShowsTheFoldersPicturesAndFollowsTheFolder();
}

TEST_F(WatchedFolderTest, TheFolderMovedAwayAcrossARestartAndBackChangesNothing) {
  MovingTheFolderAwayAndBackChangesNothing(Away::AcrossRuns);
}

TEST_F(WatchedFolderTest, TheFolderMovedAwayAndStraightBackIsStillFollowed) {
  MovingTheFolderAwayAndBackChangesNothing(Away::Briefly);
}

// The agent waits for the folder's first reading, changes the wallpaper to one of its
// pictures and closes itself; what it saves holds every picture of the folder.
TEST_F(WatchedFolderTest, AnAgentThatClosesItselfEndsOnItsOwnWithTheFoldersPictures) {
  Picture("blue.bmp", kBlue);
  Picture("sub/red.bmp", kRed);
  WriteConfig("AutoClose=1\r\nAutoClose Minutes=0\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\n");
  StartAgent();
  ASSERT_TRUE(program_.waitForFinished(kAgentMs)) << "the agent did not close itself";
  EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program_.exitCode(), 0);
  EXPECT_EQ(SavedBitmaps(), (Lines{{Path("blue.bmp"), "TILE.NOT"}, {Path("sub/red.bmp"), "TILE.NOT"}}));
  const QByteArray saved = TProgramRun::Read(Ini());
  EXPECT_TRUE(saved.contains("LastImageNm=" + Path("blue.bmp").toUtf8() + "\r\n") ||
              saved.contains("LastImageNm=" + Path("sub/red.bmp").toUtf8() + "\r\n"))
      << saved.constData();
  EXPECT_TRUE(ShownPixel() == kRed || ShownPixel() == kBlue) << std::hex << ShownPixel();
  EXPECT_EQ(MessageLog(), "") << "a box was shown";
}

}  // namespace
