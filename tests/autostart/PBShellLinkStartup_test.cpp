#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "autostart/AutostartDesktops.h"
#include "autostart/PBShellLink.h"
#include "autostart/StartupEntry.h"
#include "autostart/StartupFolder.h"
#include "support/FileBytes.h"

namespace {

TEST(StartupFolder, EmptyOrRelativeConfigHomeMeansTheDefault) {
  const struct {
    std::string configHome, home, expected;
  } cases[] = {
      {"/x/conf", "/home/u", "/x/conf/autostart"},        {"/x/conf/", "/home/u", "/x/conf/autostart"},
      {"", "/home/u", "/home/u/.config/autostart"},       {"conf", "/home/u/", "/home/u/.config/autostart"},
      {"./conf", "/home/u", "/home/u/.config/autostart"}, {"/", "/home/u", "/autostart"},
  };
  for (const auto& c : cases) EXPECT_EQ(StartupFolderFor(c.configHome, c.home), c.expected) << c.configHome;
}

class StartupEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigHome()));
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", saved_); }
  QString ConfigHome() const { return dir_.path() + "/fresh config"; }

  QTemporaryDir dir_;
  QByteArray saved_;
};

TEST_F(StartupEntryTest, CreatesTheMissingFolderWritesTheEntryTwiceAndReportsTheFolder) {
  const std::string expectedFolder = ConfigHome().toStdString() + "/autostart";
  for (int press = 0; press < 2; ++press) {
    const std::string folder = CreateStartupEntry("/opt/t/tesserine", "/opt/t//");
    ASSERT_EQ(folder, expectedFolder);
    EXPECT_EQ(ReadFileBytes(folder + "/Tesserine.desktop"),
              "[Desktop Entry]\nType=Application\nName=Tesserine\nComment=Tesserine\nPath=/opt/t/\n"
              "Exec=/opt/t/tesserine --login\nIcon=org.tesserine.Tesserine\n");
  }
  struct stat status {};
  ASSERT_EQ(::stat(expectedFolder.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  const QString message =
      "Tesserine should automatically run the next time the desktop starts.   (Shortcut named "
      "\"Tesserine.desktop\" created in " +
      QString::fromStdString(expectedFolder);
  EXPECT_EQ(StartupEntryMessage(expectedFolder, false), message);
  EXPECT_EQ(StartupEntryMessage(expectedFolder, true),
            message +
                "\n\nThis desktop does not start programs from that folder: add \"exec tesserine --login\" to "
                "its configuration, or run \"systemctl --user enable tesserine.service\".");
}

// XDG_CURRENT_DESKTOP as each desktop's session sets it.
TEST(AutostartDesktops, OnlyDesktopsKnownToIgnoreTheFolderAreToldSo) {
  const struct {
    const char* currentDesktop;
    bool display;
    bool ignores;
  } rows[] = {
      {"GNOME", true, false},
      {"ubuntu:GNOME", true, false},
      {"KDE", true, false},
      {"XFCE", true, false},
      {"MATE", true, false},
      {"X-Cinnamon", true, false},
      {"Budgie:GNOME", true, false},
      {"LXQt", true, false},
      {"sway", true, true},
      {"i3", true, true},
      {"Hyprland", true, true},
      {"river", true, true},
      {"SWAY", true, true},
      {"wlroots:sway", true, true},
      {"", true, true},
      {"::", true, true},
      {"", false, false},
      {"labwc:wlroots", true, false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(IgnoresStartupFolder({row.currentDesktop, row.display}), row.ignores)
        << '"' << row.currentDesktop << "\" display " << row.display;
}

TEST_F(StartupEntryTest, ConfigHomeThatIsAFileIsAWriteError) {
  const std::string blocker = ConfigHome().toStdString();
  ASSERT_TRUE(WriteFileBytes(blocker, "x"));
  EXPECT_THROW(CreateStartupEntry("/opt/t/tesserine", "/opt/t/"), EPBShellLink);
  EXPECT_EQ(ReadFileBytes(blocker), "x");
}

}  // namespace
