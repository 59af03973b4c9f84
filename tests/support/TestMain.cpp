// Every test executable starts here: HOME and the XDG folders point into a fresh
// temporary folder, so no test reads or writes the user's real files, and a QApplication
// exists for the tests that need Qt (offscreen unless a display test sets DISPLAY).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "support/PrivateHome.h"

int main(int argc, char** argv) {
  QTemporaryDir home(QDir::tempPath() + "/tesserine-test-XXXXXX");
  if (!home.isValid()) return 2;
  PointHomeAt(home.path());
  setenv("GSETTINGS_BACKEND", "keyfile", 0);
  if (!getenv("DISPLAY") && !getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
