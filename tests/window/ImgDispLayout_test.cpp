#include <gtest/gtest.h>

#include "window/ViewerLayout.h"

namespace {

TEST(ImgDispLayout, ClientButtonAndPlaceFollowThePicture) {
  struct Row {
    const char* name;
    QSize picture;
    QSize frameExtra;
    QSize screen;
    QSize client;
    int closeLeft;
    QPoint window;
  };
  const Row rows[] = {
      {"100 x 80", {100, 80}, {0, 0}, {1024, 768}, {160, 110}, 48, {432, 329}},
      {"640 x 480", {640, 480}, {0, 0}, {1024, 768}, {650, 510}, 293, {187, 129}},
      {"150 wide takes its own width", {150, 10}, {0, 0}, {1024, 768}, {160, 40}, 48, {432, 364}},
      {"149 wide takes the minimum", {149, 10}, {0, 0}, {1024, 768}, {160, 40}, 48, {432, 364}},
      {"failed decode", {0, 0}, {0, 0}, {1024, 768}, {160, 30}, 48, {432, 369}},
      // The frame counts in the centring: outer 660 x 540.
      {"framed", {640, 480}, {10, 30}, {1024, 768}, {650, 510}, 293, {182, 114}},
      {"larger than the screen", {2000, 1000}, {10, 30}, {1024, 768}, {2010, 1030}, 973, {0, 0}},
      {"widest picture", {1 << 28, 1}, {0, 0}, {1024, 768}, {(1 << 28) + 10, 31}, (1 << 27) + 5 - 32, {0, 369}},
  };
  for (const Row& row : rows) {
    const ViewerGeometry geometry = ViewerLayout(row.picture, row.frameExtra, row.screen);
    EXPECT_EQ(geometry.client, row.client) << row.name;
    EXPECT_EQ(geometry.closeLeft, row.closeLeft) << row.name;
    EXPECT_EQ(geometry.paintBox, QRect(QPoint(0, 24), row.picture)) << row.name;
    EXPECT_EQ(geometry.window, row.window) << row.name;
  }
}

}  // namespace
