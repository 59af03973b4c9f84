#include "app/TerminationSignals.h"

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace {

int gSignalPipe[2] = {-1, -1};

sigset_t TerminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  return set;
}

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[0], &byte, 1);
}

}  // namespace

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
  const sigset_t set = TerminationSet();
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) == 0) {
    notifier_ = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
      char byte = 0;
      [[maybe_unused]] const ssize_t got = ::read(gSignalPipe[1], &byte, 1);
      requested_ = true;
      emit Terminate();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
  }
  // Without the pipe the signals keep their default action rather than staying blocked.
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  for (int& fd : gSignalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void TTerminationSignals::HoldBack() {
  const sigset_t set = TerminationSet();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}
