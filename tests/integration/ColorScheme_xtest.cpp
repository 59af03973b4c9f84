// The real program follows the desktop's colour scheme from a stand-in portal on its private
// bus (ReadOne, or an old portal's wrapped Read): while dark the X root shows the entry's dark
// partner, and a change of scheme makes it again with the other variant at once, with no new
// pick: the entry named stays the same.
#include <QUrl>

#include "BusProgramTest.h"
#include "support/StandInPortal.h"
#include "support/WaitFor.h"

namespace {

constexpr QRgb kSand = 0xFFC0A060;
constexpr QRgb kSea = 0xFF2060C0;
constexpr QRgb kSeaAtNight = 0xFF102040;

class ColorSchemeRunTest : public TBusProgramTest {
 protected:
  // sand.png then sea.png, the first change showing sea.png, whose partner is sea-night.png.
  void WriteConfig() {
    TBusProgramTest::WriteConfig("Open Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\n",
                                 {{"sand.png", kSand}, {"sea.png", kSea}});
    ASSERT_TRUE(WritePicture(Dir() + "/sea-night.png", kSeaAtNight));
    const QByteArray ini = TProgramRun::Read(run_.Ini()) + "[Dark]\r\n" + (Dir() + "/sea.png").toUtf8() + "=" +
                           (Dir() + "/sea-night.png").toUtf8() + "\r\n";
    ASSERT_TRUE(TProgramRun::Write(run_.Ini(), ini));
  }

  // The root's colour reached while the test's stand-in portal answers.
  bool RootBecomes(QRgb colour) {
    return WaitForEvents([&] { return RootPixel() == colour; }, 20000);
  }

  void FollowsThePortal(bool readOne) {
    WriteConfig();
    TStandInPortal portal(bus_.Address(), "portal", readOne);
    ASSERT_TRUE(portal.served);
    portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(1u), false);
    Start();
    ASSERT_TRUE(RootBecomes(kSeaAtNight)) << "the dark partner never showed";
    const QString sea = Dir() + "/sea.png";
    EXPECT_EQ(Shown(), sea) << "the entry is what the program names";
    EXPECT_TRUE(Command({"--status"}).out.contains("scheme: dark (desktop portal)\n"));
    const QByteArray afterDark = TProgramRun::Read(run_.Ini());

    ASSERT_TRUE(portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(2u)));
    EXPECT_TRUE(RootBecomes(kSea)) << "the light variant did not replace the partner";
    EXPECT_EQ(Shown(), sea) << "a change of scheme picked another entry";
    EXPECT_TRUE(Command({"--status"}).out.contains("scheme: light (desktop portal)\n"));
    // Nothing is recorded: the state keys of the last change stay as they were.
    EXPECT_EQ(TProgramRun::Read(run_.Ini()), afterDark);

    // No preference is light; the next change shows an entry without a partner as itself.
    ASSERT_TRUE(portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(0u)));
    EXPECT_EQ(Command({"--next"}).exitCode, 0);
    EXPECT_TRUE(RootBecomes(kSand));
    ASSERT_TRUE(portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(1u)));
    WaitForEvents([] { return false; }, 500);
    EXPECT_EQ(RootPixel(), kSand) << "an entry without a partner shows itself while dark";
    EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
  }
};

TEST_F(ColorSchemeRunTest, FollowsAPortalWithReadOne) { FollowsThePortal(true); }

TEST_F(ColorSchemeRunTest, FollowsAnOldPortalThroughItsWrappedRead) { FollowsThePortal(false); }

// GNOME's own key of the command-line tool, in the keyfile store every test's home has.
QString GnomeKey(const char* key) {
  QProcess get;
  get.start("gsettings", {"get", "org.gnome.desktop.background", key});
  if (!get.waitForFinished(10000)) return {};
  return QString::fromUtf8(get.readAllStandardOutput()).trimmed().remove('\'');
}

QRgb PictureColour(const QString& uri) {
  const QImage picture(QUrl(uri).toLocalFile());
  return picture.isNull() ? 0 : picture.pixel(0, 0);
}

// GNOME switches by itself: picture-uri gets the entry's converted file and picture-uri-dark
// a converted file of its own with the partner's pixels.
TEST_F(ColorSchemeRunTest, GnomeGetsTheLightAndTheDarkPictureInItsTwoKeys) {
  WriteConfig();
  started_ = true;
  run_.Start({{"TESSERINE_DESKTOP", "gnome"}, {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
  QString light;
  QString dark;
  ASSERT_TRUE(TProgramRun::WaitFor(
      [&] {
        light = GnomeKey("picture-uri");
        dark = GnomeKey("picture-uri-dark");
        return PictureColour(light) == kSea;
      },
      20000))
      << "picture-uri: " << light.toStdString() << " " << TProgramRun::Read(run_.Log()).toStdString();
  EXPECT_NE(dark, light);
  EXPECT_EQ(PictureColour(dark), kSeaAtNight) << "picture-uri-dark: " << dark.toStdString();

  // An entry without a partner: both keys name the same file.
  EXPECT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_EQ(PictureColour(GnomeKey("picture-uri")), kSand);
  EXPECT_EQ(GnomeKey("picture-uri-dark"), GnomeKey("picture-uri"));
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

// With nothing running a command's picture follows the scheme too: the one-command run asks
// the portal before it shows anything.
TEST_F(ColorSchemeRunTest, ACommandWithNothingRunningShowsThePartnerWhileDark) {
  WriteConfig();
  TStandInPortal portal(bus_.Address(), "portal", true);
  ASSERT_TRUE(portal.served);
  portal.Set("org.freedesktop.appearance", "color-scheme", QVariant(1u), false);
  QProcess command;
  command.setProcessEnvironment(CommandEnvironment());
  command.start(run_.Exe(), {"--set", Dir() + "/sea.png"});
  ASSERT_TRUE(WaitForEvents([&] { return command.state() == QProcess::NotRunning; }, 30000));
  EXPECT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
  EXPECT_EQ(RootPixel(), kSeaAtNight);
  EXPECT_TRUE(TProgramRun::Read(run_.Ini()).contains("LastImageNm=" + (Dir() + "/sea.png").toUtf8() + "\r\n"));
}

}  // namespace
