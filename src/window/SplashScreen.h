// The window shown while the program starts: the program picture on a silver ground, with
// no border, above other windows and centred on the primary screen.
#pragma once

#include <QLabel>
#include <QWidget>

class TSplashScreen final : public QWidget {
 public:
  TSplashScreen();

  // Shows the window and paints it before returning, so it is on screen while the program is
  // still busy creating its windows and reading its configuration.
  void ShowAndPaint();

  QLabel* Image1 = nullptr;
};
