// The real executable as the whole-program tests run it: CopyProgram puts a copy where the
// test wants it, so that its configuration file (beside the executable) and its message log
// are the test's own; TProgramRun is one run of such a copy in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <map>
#include <memory>

// Copies the program this tree built to path; false when it could not.
inline bool CopyProgram(const QString& path) { return QFile::copy(TESSERINE_BINARY_DIR "/bin/tesserine", path); }

class TProgramRun {
 public:
  TProgramRun() { copied_ = CopyProgram(Exe()); }

  bool Copied() const { return copied_; }
  QString Exe() const { return dir_.path() + "/tesserine"; }
  QString Ini() const { return dir_.path() + "/tesserine.INI"; }
  QString Log() const { return dir_.path() + "/messages.log"; }

  static QByteArray Read(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static bool Write(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }

  // Starts the program with the message log and the file desktop, plus extra; an empty value
  // leaves the variable out.
  QProcess& Start(const std::map<QString, QString>& extra = {}) {
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSERINE_MESSAGE_LOG", Log());
    env.insert("TESSERINE_DESKTOP", "file");
    for (const auto& [name, value] : extra) {
      if (value.isEmpty())
        env.remove(name);
      else
        env.insert(name, value);
    }
    process_->setProcessEnvironment(env);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(Exe(), {});
    EXPECT_TRUE(process_->waitForStarted(10000));
    return *process_;
  }

  QProcess& Process() { return *process_; }

  // True once the program's own code runs: it blocks or catches SIGTERM from main's first line.
  bool ReachedMain() const {
    QFile status(QString("/proc/%1/status").arg(process_->processId()));
    if (!status.open(QIODevice::ReadOnly)) return false;
    const quint64 bit = quint64{1} << (SIGTERM - 1);
    for (const QByteArray& line : status.readAll().split('\n'))
      if ((line.startsWith("SigBlk:") || line.startsWith("SigCgt:")) &&
          (line.mid(7).trimmed().toULongLong(nullptr, 16) & bit))
        return true;
    return false;
  }

  static bool WaitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
      if (done()) return true;
      QThread::msleep(1);
    }
    return done();
  }

  void SendSignal(int signal) { ::kill(static_cast<pid_t>(process_->processId()), signal); }

 private:
  QTemporaryDir dir_;
  bool copied_ = false;
  std::unique_ptr<QProcess> process_;
};
