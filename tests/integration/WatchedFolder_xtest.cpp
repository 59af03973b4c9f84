// The real program, as the unattended agent on the X root, on a watched folder with
// subfolders: it shows one of the folder's pictures and lists them all; a picture copied in
// joins and a deleted one leaves (read back from the configuration the quit saves); the
// folder moved away and back changes nothing; an agent that closes itself after its change
// ends on its own with the folder's pictures saved. No box is shown on the way.
#include <QTemporaryDir>
#include <map>

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

// The wallpapers Debian's desktops install, watched as they are: KDE Plasma's packages give one
// entry each, of the size made for this screen where the package has it, with the dark size
// chosen the same way as its partner and no preview; GNOME's light and dark pairs give one
// entry each, the dark one its partner.
TEST_F(WatchedFolderTest, TheDesktopsOwnWallpapersGiveOneEntryAPicture) {
  const QString plasma = "/usr/share/wallpapers";
  const QString gnome = "/usr/share/backgrounds/gnome";
  if (!QFile::exists(plasma + "/Next/metadata.json") || !QFile::exists(gnome + "/adwaita-l.webp"))
    GTEST_SKIP() << "plasma-workspace-wallpapers or gnome-backgrounds is not installed";
  Display* display = XOpenDisplay(nullptr);
  ASSERT_TRUE(display);
  const QString screen = QString("%1x%2").arg(DisplayWidth(display, 0)).arg(DisplayHeight(display, 0));
  XCloseDisplay(display);
  ASSERT_TRUE(TProgramRun::Write(Ini(),
                                 "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nAutoClose=1\r\n"
                                 "AutoClose Minutes=0\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\n\r\n"
                                 "[Folders]\r\n" +
                                     plasma.toUtf8() + "=1\r\n" + gnome.toUtf8() + "=1\r\n"));
  StartAgent();
  ASSERT_TRUE(program_.waitForFinished(kAgentMs)) << "the agent did not close itself";
  EXPECT_EQ(program_.exitCode(), 0);
  std::map<QString, QString> entries;  // the package or picture name: the entry
  for (const auto& [name, value] : SavedBitmaps()) {
    const QString key = name.startsWith(plasma + "/") ? name.section('/', 4, 4) : QFileInfo(name).completeBaseName();
    EXPECT_FALSE(entries.count(key)) << "two entries of " << key.toStdString();
    entries[key] = name;
  }
  std::map<QString, QString> partners;
  for (const auto& [entry, dark] : SavedBitmaps("[Dark]")) partners[entry] = dark;

  const QStringList packages = QDir(plasma).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& package : packages) {
    SCOPED_TRACE(package.toStdString());
    ASSERT_TRUE(entries.count(package));
    const QString entry = entries[package];
    EXPECT_TRUE(entry.startsWith(plasma + "/" + package + "/contents/images/")) << entry.toStdString();
    const QString exact = plasma + "/" + package + "/contents/images/" + screen;
    if (QFile::exists(exact + ".png") || QFile::exists(exact + ".jpg"))
      EXPECT_EQ(QFileInfo(entry).completeBaseName(), screen) << "the size made for this screen";
    const QString darkFolder = plasma + "/" + package + "/contents/images_dark";
    if (!QFileInfo(darkFolder).isDir()) {
      EXPECT_FALSE(partners.count(entry));
      continue;
    }
    ASSERT_TRUE(partners.count(entry)) << "no dark partner";
    EXPECT_TRUE(partners[entry].startsWith(darkFolder + "/"));
    if (QFile::exists(darkFolder + "/" + screen + ".png") || QFile::exists(darkFolder + "/" + screen + ".jpg"))
      EXPECT_EQ(QFileInfo(partners[entry]).completeBaseName(), screen);
  }

  int pairs = 0;
  for (const QString& light : QDir(gnome).entryList({"*-l.webp"})) {
    SCOPED_TRACE(light.toStdString());
    const QString stem = light.chopped(7);
    ASSERT_TRUE(entries.count(stem + "-l"));
    EXPECT_FALSE(entries.count(stem + "-d")) << "a dark picture with a twin joined of its own";
    EXPECT_EQ(partners[gnome + "/" + light], gnome + "/" + stem + "-d.webp");
    ++pairs;
  }
  EXPECT_GT(pairs, 5);
  EXPECT_EQ(entries.size(), static_cast<std::size_t>(packages.size() + pairs))
      << "nothing else joins: no preview, no other size, no picture the program cannot read";
  EXPECT_EQ(MessageLog(), "") << "a box was shown";
}

}  // namespace
