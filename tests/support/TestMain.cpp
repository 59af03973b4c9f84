// Every test executable starts here: HOME and the XDG folders point into a fresh
// temporary folder, so no test reads or writes the user's real files, and a QApplication
// exists for the tests that need Qt (offscreen unless a display test sets DISPLAY).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  QTemporaryDir home(QDir::tempPath() + "/tesserine-test-XXXXXX");
  if (!home.isValid()) return 2;
  const QByteArray root = home.path().toLocal8Bit();
  const std::pair<const char*, const char*> folders[] = {
      {"HOME", ""},
      {"XDG_CONFIG_HOME", "/.config"},
      {"XDG_DATA_HOME", "/.local/share"},
      {"XDG_CACHE_HOME", "/.cache"},
      {"XDG_STATE_HOME", "/.local/state"},
      {"XDG_RUNTIME_DIR", "/runtime"},
  };
  for (const auto& [name, sub] : folders) {
    const QByteArray path = root + sub;
    QDir().mkpath(QString::fromLocal8Bit(path));
    setenv(name, path.constData(), 1);
  }
  QFile::setPermissions(home.path() + "/runtime",
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  setenv("GSETTINGS_BACKEND", "keyfile", 0);
  if (!getenv("DISPLAY") && !getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
