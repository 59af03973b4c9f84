#include "platform/system/FileNameText.h"

#include <gtest/gtest.h>

#include <QFile>

#include "platform/desktop/DesktopWallpaper.h"

namespace {

TEST(FileNameAsText, TextNamesPassAndOtherBytesAreRefusedNamingTheBackend) {
  const std::pair<std::string, bool> rows[] = {
      {"/home/u/plain.bmp", true},
      {"/home/u/f\xc3\xb6rest \"q\" \\ $x\n.bmp", true},
      {"", true},
      {"/home/u/latin1 \xe9t\xe9.bmp", false},
      {"/home/u/\xff\xfe.bmp", false},
      {"/home/u/cut \xc3", false},
      {"/home/u/overlong \xc0\xaf.bmp", false},
  };
  for (const auto& [name, text] : rows) {
    try {
      const QString result = FileNameAsText("xfce", name);
      EXPECT_TRUE(text) << name;
      EXPECT_EQ(QFile::encodeName(result).toStdString(), name);
    } catch (const TDesktopError& error) {
      EXPECT_FALSE(text) << name;
      EXPECT_EQ(
          std::string(error.what()).rfind("The XFCE desktop settings service cannot be given this file name (", 0), 0u)
          << error.what();
    }
  }
}

}  // namespace
