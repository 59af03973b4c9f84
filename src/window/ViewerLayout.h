// Size and place of the image viewer window for a picture: the client area around the
// picture and the Close button, centred on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

struct ViewerGeometry {
  QSize client;
  // Left edge of the Close button, whose top is 0.
  int closeLeft = 0;
  // The picture's box below the button row.
  QRect paintBox;
  // Top-left corner of the whole window, frame included, on the screen.
  QPoint window;
};

// picture may be empty (a failed decode). frameExtra is what the window manager's frame adds
// to the client size (0 x 0 while the window has not been shown). A window larger than the
// screen is placed at the top-left corner.
ViewerGeometry ViewerLayout(QSize picture, QSize frameExtra, QSize screen);
