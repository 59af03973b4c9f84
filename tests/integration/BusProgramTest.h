// The fixture of the whole-program tests that drive the real program over a private session
// bus on the X root: the program's folder with plain one-colour pictures, its configuration,
// a command of the same executable run against the running program (or none), and the root's
// colour read back.
#pragma once

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <map>

#include "ProgramRun.h"
#include "support/PrivateBus.h"
// Xlib's macros clash with Qt's names: after the Qt headers.
#include "support/X11RootPixels.h"

struct TCommandRun {
  int exitCode = -1;
  QString out;
  QString err;
};

class TBusProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    ASSERT_TRUE(run_.Copied());
    display_ = XOpenDisplay(nullptr);
    ASSERT_TRUE(display_);
  }

  void TearDown() override {
    if (started_ && run_.Process().state() != QProcess::NotRunning) {
      Command({"--quit"});
      if (!run_.Process().waitForFinished(10000)) run_.Process().kill();
    }
    if (display_) XCloseDisplay(display_);
  }

  QString Dir() const { return QFileInfo(run_.Ini()).absolutePath(); }

  // A 16 x 16 picture of one colour at Dir()/name, in the format its extension names.
  static bool WritePicture(const QString& path, QRgb colour) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    return picture.save(path);
  }

  // The configuration: [Info] with "Fade Milliseconds=0" and info, then the pictures in
  // order as TILE entries, each written with its colour.
  void WriteConfig(const QByteArray& info, const std::vector<std::pair<QString, QRgb>>& pictures) {
    QByteArray ini = "[Info]\r\nFade Milliseconds=0\r\n" + info + "\r\n[Bitmaps]\r\n";
    for (const auto& [name, colour] : pictures) {
      ASSERT_TRUE(WritePicture(Dir() + "/" + name, colour)) << name.toStdString();
      ini += (Dir() + "/" + name).toUtf8() + "=TILE.NOT\r\n";
    }
    ASSERT_TRUE(TProgramRun::Write(run_.Ini(), ini));
  }

  QProcessEnvironment CommandEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("TESSERINE_MESSAGE_LOG", run_.Log());
    return environment;
  }

  // One command of the same executable, run in Dir().
  TCommandRun Command(const QStringList& arguments) {
    QProcess command;
    command.setProcessEnvironment(CommandEnvironment());
    command.setWorkingDirectory(Dir());
    command.start(run_.Exe(), arguments);
    if (!command.waitForFinished(30000)) return {};
    return {command.exitCode(), QString::fromLocal8Bit(command.readAllStandardOutput()),
            QString::fromLocal8Bit(command.readAllStandardError())};
  }

  // The program started on the X root and the private bus.
  QProcess& Start() {
    started_ = true;
    return run_.Start({{"TESSERINE_DESKTOP", "x11"}, {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
  }

  // The image --status names; empty when the program does not answer.
  QString Shown() {
    const QString out = Command({"--status"}).out;
    const qsizetype at = out.indexOf("image: ");
    return at < 0 ? QString() : out.mid(at + 7, out.indexOf('\n', at) - at - 7);
  }

  QRgb RootPixel() { return ReadRootWindow(display_, QSize(4, 4)).pixel(1, 1); }

  TPrivateBus bus_;
  TProgramRun run_;
  Display* display_ = nullptr;
  bool started_ = false;
};
