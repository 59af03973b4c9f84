// The window shown while the program loads; a plain placeholder with the program's name.
#pragma once

#include <QWidget>

class TSplashScreen final : public QWidget {
 public:
  TSplashScreen();
};
