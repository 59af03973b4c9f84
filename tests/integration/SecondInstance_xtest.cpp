// The real executable under a display: a second start refuses with its message and leaves
// the configuration alone, a second start at log-in ends silently, and a start with
// WAYLAND_DISPLAY alone and one with DISPLAY beside it take one lock; a killed instance does
// not block the next start; SIGTERM ends an instance with a silent save.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <map>

#include "ProgramRun.h"
#include "platform/session/SingleInstance.h"

namespace {

const QByteArray kConfig = "[Info]\r\nFade Milliseconds=0\r\nTrigger Qty=4\r\n\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n\r\n";

class SecondInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyProgram(Exe()));
    QFile ini(Ini());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(kConfig);
  }

  QString Exe() const { return dir.path() + "/tesserine"; }
  QString Ini() const { return dir.path() + "/tesserine.INI"; }
  QString Log() const { return dir.path() + "/messages.log"; }

  QByteArray Read(const QString& name) const {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // extra's empty values leave their variable out.
  std::unique_ptr<QProcess> Start(const QStringList& arguments = {}, const std::map<QString, QString>& extra = {}) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSERINE_MESSAGE_LOG", Log());
    env.insert("TESSERINE_DESKTOP", "file");
    for (const auto& [name, value] : extra) {
      if (value.isEmpty())
        env.remove(name);
      else
        env.insert(name, value);
    }
    process->setProcessEnvironment(env);
    process->start(Exe(), arguments);
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
  }

  // True once the process holds the lock file of display (this process's by default) open.
  static bool HoldsLock(const QProcess& process, const std::string& display = TSingleInstance::CurrentDisplay()) {
    const QString lock = QString::fromStdString(TSingleInstance::LockPath(display));
    const QString fds = QString("/proc/%1/fd").arg(process.processId());
    for (const QString& fd : QDir(fds).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System))
      if (QFile::symLinkTarget(fds + "/" + fd) == lock) return true;
    return false;
  }

  static bool WaitForLock(const QProcess& process, const std::string& display = TSingleInstance::CurrentDisplay()) {
    for (int i = 0; i < 300; ++i) {
      if (HoldsLock(process, display)) return true;
      if (process.state() != QProcess::Running) return false;
      QThread::msleep(50);
    }
    return false;
  }

  QTemporaryDir dir;
};

}  // namespace

TEST_F(SecondInstance, SecondStartRefusesAndFirstGoesOn) {
  std::unique_ptr<QProcess> first = Start();
  ASSERT_TRUE(WaitForLock(*first));

  std::unique_ptr<QProcess> second = Start();
  ASSERT_TRUE(second->waitForFinished(30000));
  EXPECT_EQ(second->exitCode(), 0);
  // The screen is 2560 x 1600: half of each, and 50 pixels lower.
  EXPECT_EQ(Read(Log()), "information\t1280,850\tTesserine is already running\n");
  EXPECT_EQ(Read(Ini()), kConfig);
  EXPECT_EQ(first->state(), QProcess::Running);

  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(30000));
  EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
  const QByteArray saved = Read(Ini());
  EXPECT_TRUE(saved.contains("Trigger Qty=4\r\n"));
  EXPECT_TRUE(saved.contains("Display Order=SEQUENTIAL\r\n"));
  EXPECT_TRUE(saved.contains("/a.bmp=TILE.NOT\r\n"));
}

TEST_F(SecondInstance, KilledInstanceDoesNotBlockTheNext) {
  std::unique_ptr<QProcess> first = Start();
  ASSERT_TRUE(WaitForLock(*first));
  first->kill();
  ASSERT_TRUE(first->waitForFinished(30000));

  std::unique_ptr<QProcess> next = Start();
  EXPECT_TRUE(WaitForLock(*next));
  ::kill(static_cast<pid_t>(next->processId()), SIGTERM);
  ASSERT_TRUE(next->waitForFinished(30000));
  EXPECT_FALSE(Read(Log()).contains("already running"));
}

TEST_F(SecondInstance, ASecondStartAtLogInEndsWithoutABox) {
  std::unique_ptr<QProcess> first = Start();
  ASSERT_TRUE(WaitForLock(*first));

  std::unique_ptr<QProcess> login = Start({"--login"});
  ASSERT_TRUE(login->waitForFinished(30000));
  EXPECT_EQ(login->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(login->exitCode(), 0);
  EXPECT_EQ(Read(Log()), "");
  EXPECT_EQ(Read(Ini()), kConfig);
  EXPECT_EQ(first->state(), QProcess::Running);

  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(30000));
}

// As a systemd user unit starts it under a Wayland compositor (WAYLAND_DISPLAY alone), then as
// the compositor's autostart does (an Xwayland DISPLAY beside it): one lock for both. The
// offscreen platform stands in for the compositor, which the lock never asks.
TEST_F(SecondInstance, AStartWithWaylandAloneAndOneWithBothTakeOneLock) {
  const QString wayland = "wayland-tesserine-test-" + QString::number(::getpid());
  const std::string key = TSingleInstance::DisplayKey("", wayland.toStdString(), "");
  const std::map<QString, QString> unit = {
      {"DISPLAY", ""}, {"WAYLAND_DISPLAY", wayland}, {"QT_QPA_PLATFORM", "offscreen"}};
  std::map<QString, QString> both = unit;
  both["DISPLAY"] = ":97";

  std::unique_ptr<QProcess> first = Start({"--login"}, unit);
  ASSERT_TRUE(WaitForLock(*first, key));

  std::unique_ptr<QProcess> login = Start({"--login"}, both);
  ASSERT_TRUE(login->waitForFinished(30000));
  EXPECT_EQ(login->exitCode(), 0);
  EXPECT_EQ(Read(Log()), "");

  std::unique_ptr<QProcess> plain = Start({}, both);
  ASSERT_TRUE(plain->waitForFinished(30000));
  EXPECT_EQ(plain->exitCode(), 0);
  EXPECT_TRUE(Read(Log()).endsWith("\tTesserine is already running\n")) << Read(Log()).constData();
  EXPECT_EQ(first->state(), QProcess::Running);

  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(30000));
}
