#include "window/SplashScreen.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

namespace {

const QColor kSilver(192, 192, 192);

TEST(SplashScreen, IsABorderlessSilverWindowOnTopHoldingThePicture) {
  TSplashScreen splash;
  EXPECT_EQ(splash.size(), QSize(262, 71));
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(splash.isWindow());
  EXPECT_EQ(splash.palette().color(QPalette::Window), kSilver);
  EXPECT_TRUE(splash.autoFillBackground());
  ASSERT_NE(splash.Image1, nullptr);
  EXPECT_EQ(splash.Image1->objectName(), "Image1");
  EXPECT_EQ(splash.Image1->geometry(), QRect(0, 0, 262, 70));
  EXPECT_EQ(splash.Image1->pixmap().size(), QSize(262, 70));
}

TEST(SplashScreen, IsCentredOnThePrimaryScreen) {
  TSplashScreen splash;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QPoint offset = splash.geometry().center() - screen.center();
  EXPECT_LE(std::abs(offset.x()), 1);
  EXPECT_LE(std::abs(offset.y()), 1);
}

TEST(SplashScreen, ShowAndPaintShowsThePictureOverSilver) {
  TSplashScreen splash;
  splash.ShowAndPaint();
  EXPECT_TRUE(splash.isVisible());
  const QImage shown = splash.grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 70), kSilver);
  EXPECT_EQ(shown.pixelColor(261, 70), kSilver);
  EXPECT_EQ(shown.copy(0, 0, 262, 70), splash.Image1->pixmap().toImage().convertToFormat(shown.format()));
}

}  // namespace
