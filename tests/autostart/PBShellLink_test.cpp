#include "autostart/PBShellLink.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

#include "support/FileBytes.h"

namespace {

const std::string kWriteError =
    "Erreur en \xC3\xA9"
    "criture.";

struct NameCase {
  std::string given;
  std::string expected;
};

class FileNameRule : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameRule, AppendsTheExtensionOnlyWhenMissing) {
  TPBShellLink link;
  link.SetFileName(GetParam().given);
  EXPECT_EQ(link.FileName(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameRule,
    testing::Values(NameCase{"/a/Tesserine", "/a/Tesserine.desktop"},
                    NameCase{"/a/Tesserine.desktop", "/a/Tesserine.desktop"}, NameCase{"/a/T.DeskTop", "/a/T.DeskTop"},
                    NameCase{"/a/T.lnk", "/a/T.lnk.desktop"}, NameCase{"/a/T.desktop.bak", "/a/T.desktop.bak.desktop"},
                    NameCase{"/a.desktop/T", "/a.desktop/T.desktop"}, NameCase{"/a/T.", "/a/T..desktop"},
                    NameCase{"/a/.desktop", ""}, NameCase{"/a/.DESKTOP", ""}, NameCase{"/a/", ""}, NameCase{"", ""}));

TEST(FileNameRule, SettingTheSameNameAgainKeepsIt) {
  TPBShellLink link;
  link.SetFileName("/a/T.desktop");
  link.SetFileName("/a/T.desktop");
  EXPECT_EQ(link.FileName(), "/a/T.desktop");
}

TEST(ShowCommand, ConvertsBothWays) {
  const std::pair<TWindowState, int> written[] = {
      {TWindowState::wsNormal, 1}, {TWindowState::wsMinimized, 7}, {TWindowState::wsMaximized, 3}};
  for (const auto& [state, showCmd] : written) {
    EXPECT_EQ(ShowCmdOf(state), showCmd);
    EXPECT_EQ(WindowStateOf(showCmd), state);
  }
  for (const int other : {0, 2, 4, 5, 6, 8, 10, -1}) EXPECT_EQ(WindowStateOf(other), TWindowState::wsNormal) << other;
}

class ShellLinkSave : public testing::Test {
 protected:
  ShellLinkSave() {
    link_.SetFileName(Path("Tesserine"));
    link_.SetDescription("Tesserine");
    link_.SetWorkingDir("/opt/tesserine/");
    link_.SetTarget("/opt/tesserine/tesserine");
  }
  std::string Path(const QString& name) const { return QDir(dir_.path()).filePath(name).toStdString(); }
  void ExpectWriteError() const {
    try {
      link_.SaveLink();
      ADD_FAILURE() << "saved to " << link_.LinkPath();
    } catch (const EPBShellLink& error) {
      EXPECT_EQ(error.what(), kWriteError);
    }
  }

  QTemporaryDir dir_;
  TPBShellLink link_;
};

TEST_F(ShellLinkSave, WritesTheEntryAndReplacesItOnTheSecondSave) {
  link_.SaveLink();
  const std::string path = Path("Tesserine.desktop");
  EXPECT_EQ(ReadFileBytes(path),
            "[Desktop Entry]\nType=Application\nName=Tesserine\nComment=Tesserine\nPath=/opt/tesserine/\n"
            "Exec=/opt/tesserine/tesserine\nIcon=org.tesserine.Tesserine\n");

  link_.SetTarget("/usr/bin/tesserine");
  link_.SetArguments("--now");
  link_.SetFileIcon({"/usr/share/pixmaps/t.png", 2});
  link_.SaveLink();
  const std::string second = ReadFileBytes(path);
  EXPECT_NE(second.find("\nExec=/usr/bin/tesserine --now\nIcon=/usr/share/pixmaps/t.png\n"), std::string::npos)
      << second;
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tesserine.desktop"});
}

TEST_F(ShellLinkSave, MissingFolderFileInTheWayOrNoNameIsAWriteError) {
  link_.SetFileName(Path("missing/Tesserine.desktop"));
  ExpectWriteError();
  ASSERT_TRUE(WriteFileBytes(Path("plain"), "x"));
  link_.SetFileName(Path("plain/Tesserine.desktop"));
  ExpectWriteError();
  link_.SetFileName(Path(".desktop"));
  ExpectWriteError();
  EXPECT_EQ(ReadFileBytes(Path("plain")), "x");
}

TEST_F(ShellLinkSave, ReadOnlyFolderIsAWriteError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  ExpectWriteError();
  QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ShellLinkSave, ValueThatCannotBeWrittenWholeIsRefusedAndTheLastEntryKept) {
  const std::string longest = "/" + std::string(TPBShellLink::kMaxStringBytes - 11, 'd') + "/tesserine";
  ASSERT_EQ(longest.size(), TPBShellLink::kMaxStringBytes);
  link_.SetTarget(longest);
  link_.SaveLink();
  const std::string saved = link_.EntryText();
  for (const std::string& bad : {longest + "2", std::string("/opt/\xFF/t"), std::string("/opt/\x01/t")}) {
    link_.SetTarget(bad);
    ExpectWriteError();
  }
  link_.SetTarget(longest);
  link_.SetArguments(std::string(TPBShellLink::kMaxStringBytes + 1, 'a'));
  ExpectWriteError();
  EXPECT_EQ(ReadFileBytes(link_.FileName()), saved);
}

TEST_F(ShellLinkSave, StartupShellFolderPlacesTheEntryInTheAutostartFolder) {
  const std::string autostart = qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() + "/autostart";
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(autostart)));
  link_.SetShellFolder(TShellFolder::sfStartup);
  EXPECT_EQ(link_.LinkPath(), autostart + "/Tesserine.desktop");
  link_.SaveLink();
  EXPECT_EQ(ReadFileBytes(autostart + "/Tesserine.desktop"), link_.EntryText());
  link_.SetShellFolder(TShellFolder::sfSendTo);
  ExpectWriteError();
}

}  // namespace
