// Every test executable starts here: HOME and the XDG folders point into a fresh
// temporary folder, so no test reads or writes the user's real files; the session's display,
// desktop and bus are dropped, and a display test runs on the private Xvfb of its CTest
// fixture; a QApplication exists for the tests that need Qt (offscreen without a display).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "support/PrivateHome.h"
#include "support/PrivateSession.h"

int main(int argc, char** argv) {
  QTemporaryDir home(QDir::tempPath() + "/tesserine-test-XXXXXX");
  if (!home.isValid()) return 2;
  PointHomeAt(home.path());
  setenv("GSETTINGS_BACKEND", "keyfile", 0);
  LeaveTheSession();
  if (const char* displayFile = getenv("TESSERINE_TEST_DISPLAY_FILE"); displayFile && !UsePrivateDisplay(displayFile)) {
    fprintf(stderr, "no private X display in %s\n", displayFile);
    return 2;
  }
  if (!getenv("DISPLAY") && !getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
