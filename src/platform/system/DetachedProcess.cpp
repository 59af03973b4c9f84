#include "platform/system/DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kPollMs = 10;

// State letter and processor ticks used, from /proc/<pid>/stat; nullopt when it is gone.
struct ProcessUse {
  char state = '?';
  unsigned long long ticks = 0;
};

std::optional<ProcessUse> UseOf(pid_t pid) {
  QFile file(QString("/proc/%1/stat").arg(pid));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray text = file.readAll();
  // The name in parentheses may hold blanks and parentheses; the fields follow the last ')'.
  const qsizetype close = text.lastIndexOf(')');
  if (close < 0) return std::nullopt;
  const QList<QByteArray> fields = text.mid(close + 2).split(' ');
  // Fields from the state on: state, ppid, pgrp, session, tty, tpgid, flags, minflt, cminflt,
  // majflt, cmajflt, utime, stime.
  if (fields.size() < 13 || fields[0].isEmpty()) return std::nullopt;
  return ProcessUse{fields[0][0], fields[11].toULongLong() + fields[12].toULongLong()};
}

// Gone, a zombie, or dead.
bool Ended(const std::optional<ProcessUse>& use) { return !use || use->state == 'Z' || use->state == 'X'; }

bool Gone(pid_t pid) { return Ended(UseOf(pid)); }

}  // namespace

pid_t StartDetached(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                    DetachedOutput output) {
  std::vector<QByteArray> argumentBytes{QFile::encodeName(program)};
  for (const QString& argument : arguments) argumentBytes.push_back(QFile::encodeName(argument));
  std::vector<QByteArray> environmentBytes;
  for (const QString& entry : environment.toStringList()) environmentBytes.push_back(entry.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& bytes : argumentBytes) argv.push_back(bytes.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (QByteArray& bytes : environmentBytes) envp.push_back(bytes.data());
  envp.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output == DetachedOutput::Discarded) {
    for (int fd = 0; fd <= 2; ++fd) posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  }
  // None of this program's other files (one opened without close-on-exec) stays open in them.
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

  pid_t pid = -1;
  const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) throw std::runtime_error("cannot start " + program.toStdString() + ": " + std::strerror(error));
  return pid;
}

std::optional<int> ExitWithin(pid_t child, int ms) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (ended < 0) return -1;
    if (clock.elapsed() >= ms) return std::nullopt;
    QThread::msleep(kPollMs);
  }
}

bool WaitUntilQuiet(pid_t pid, int quietMs, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  QElapsedTimer quiet;
  std::optional<ProcessUse> last;
  while (clock.elapsed() < timeoutMs) {
    const std::optional<ProcessUse> use = UseOf(pid);
    if (Ended(use)) return false;
    const bool sleeping = use->state == 'S' && last && last->ticks == use->ticks;
    if (!sleeping)
      quiet.invalidate();
    else if (!quiet.isValid())
      quiet.start();
    else if (quiet.elapsed() >= quietMs)
      return true;
    last = use;
    QThread::msleep(kPollMs);
  }
  return false;
}

void EndProcess(pid_t pid, int timeoutMs) {
  if (kill(pid, SIGTERM) != 0) {
    ReapIfEnded(pid);
    return;
  }
  QElapsedTimer clock;
  clock.start();
  while (!Gone(pid) && clock.elapsed() < timeoutMs) QThread::msleep(kPollMs);
  if (!Gone(pid)) kill(pid, SIGKILL);
  // A child of this program stays a zombie until reaped; another program's is reaped by its parent.
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) {
    while (!Gone(pid) && clock.elapsed() < 2 * timeoutMs) QThread::msleep(kPollMs);
  }
}

void ReapIfEnded(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, WNOHANG);
}

QByteArray CommandLineOf(pid_t pid) {
  QFile file(QString("/proc/%1/cmdline").arg(pid));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
