// The lock screen's picture written into kscreenlockerrc by Plasma's own KConfig tools, run
// for real on a private configuration folder.
#include "platform/desktop/plasma/PlasmaLockScreen.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include "platform/desktop/DesktopWallpaper.h"

namespace {

class PlasmaLockScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("kwriteconfig5").isEmpty() &&
        QStandardPaths::findExecutable("kwriteconfig6").isEmpty())
      GTEST_SKIP() << "no kwriteconfig (libkf5config-bin)";
    config_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", config_); }

  QString File() const { return dir.filePath("kscreenlockerrc"); }
  QByteArray Text() const {
    QFile file(File());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  QByteArray config_;
};

TEST_F(PlasmaLockScreenTest, ThePictureIsWrittenAsPlasmaKeepsItAndOnlyWhenItChanges) {
  ShowOnPlasmaLockScreen("/home/me/Tesserina Convert.BMP");
  const QByteArray first = Text();
  EXPECT_TRUE(first.contains("[Greeter]\nWallpaperPlugin=org.kde.image\n")) << first.constData();
  EXPECT_TRUE(
      first.contains("[Greeter][Wallpaper][org.kde.image][General]\n"
                     "Image=file:///home/me/Tesserina Convert.BMP\n"))
      << first.constData();

  // The same picture again leaves the file alone, not even rewritten.
  const QDateTime written = QFileInfo(File()).lastModified();
  QThread::msleep(1100);
  ShowOnPlasmaLockScreen("/home/me/Tesserina Convert.BMP");
  EXPECT_EQ(QFileInfo(File()).lastModified(), written);

  // Another picture, with a name beyond ASCII, takes the key's place; the plugin line stays.
  ShowOnPlasmaLockScreen("/home/me/Bilder/Strand%Bucht é.png");
  const QByteArray second = Text();
  EXPECT_EQ(second.count("Image="), 1) << second.constData();
  EXPECT_TRUE(second.contains("WallpaperPlugin=org.kde.image")) << second.constData();
  const QString image = QString::fromUtf8(second.mid(second.indexOf("Image=") + 6).split('\n').first());
  EXPECT_EQ(QUrl(image).toLocalFile(), QString::fromUtf8("/home/me/Bilder/Strand%Bucht é.png")) << image.toStdString();
}

TEST_F(PlasmaLockScreenTest, WithoutAToolTheErrorNamesThem) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", dir.path().toLocal8Bit());
  try {
    ShowOnPlasmaLockScreen("/a.bmp");
    ADD_FAILURE() << "no tool, and no error";
  } catch (const TDesktopError& error) {
    EXPECT_NE(std::string(error.what()).find("neither kwriteconfig6 nor kwriteconfig5 is installed"), std::string::npos)
        << error.what();
  }
  qputenv("PATH", path);
}

TEST_F(PlasmaLockScreenTest, AConfigurationThatCannotBeWrittenIsAnError) {
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  const bool readOnly = !QFileInfo(dir.path()).isWritable();
  if (readOnly) EXPECT_THROW(ShowOnPlasmaLockScreen("/a.bmp"), TDesktopError);
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  if (!readOnly) GTEST_SKIP() << "running as root: no folder is read-only";
}

}  // namespace
