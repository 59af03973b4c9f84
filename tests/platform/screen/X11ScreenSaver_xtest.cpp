#include <gtest/gtest.h>

#include <QProcess>

#include "platform/screen/X11ScreenSaver.h"

namespace {

TEST(X11ScreenSaver, FollowsTheServersScreenSaver) {
  TX11ScreenSaver saver;
  ASSERT_EQ(QProcess::execute("xset", {"s", "reset"}), 0);
  EXPECT_FALSE(saver.ScreenSaverRunning());
  ASSERT_EQ(QProcess::execute("xset", {"s", "activate"}), 0);
  EXPECT_TRUE(saver.ScreenSaverRunning());
  EXPECT_TRUE(saver.ScreenSaverRunning());
  ASSERT_EQ(QProcess::execute("xset", {"s", "reset"}), 0);
  EXPECT_FALSE(saver.ScreenSaverRunning());
}

TEST(X11ScreenSaver, NoDisplayMeansNotRunning) {
  TX11ScreenSaver saver(":987");
  EXPECT_FALSE(saver.ScreenSaverRunning());
  EXPECT_FALSE(saver.ScreenSaverRunning());
}

}  // namespace
