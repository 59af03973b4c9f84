// The real executable under a display: a second start refuses with its message and leaves
// the configuration alone; a killed instance does not block the next start; SIGTERM ends an
// instance with a silent save.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "ProgramRun.h"
#include "platform/session/SingleInstance.h"

namespace {

const QByteArray kConfig = "[Info]\r\nTrigger Qty=4\r\n\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n\r\n";

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

  std::unique_ptr<QProcess> Start() {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSERINE_MESSAGE_LOG", Log());
    env.insert("TESSERINE_DESKTOP", "file");
    process->setProcessEnvironment(env);
    process->start(Exe(), {});
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
  }

  // True once the process holds the instance lock file open.
  static bool HoldsLock(const QProcess& process) {
    const QString lock = QString::fromStdString(TSingleInstance::LockPath(TSingleInstance::CurrentDisplay()));
    const QString fds = QString("/proc/%1/fd").arg(process.processId());
    for (const QString& fd : QDir(fds).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System))
      if (QFile::symLinkTarget(fds + "/" + fd) == lock) return true;
    return false;
  }

  static bool WaitForLock(const QProcess& process) {
    for (int i = 0; i < 300; ++i) {
      if (HoldsLock(process)) return true;
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
