// The programs a change runs: each detached in a session of its own with no standard input,
// its output on this program's standard error. Nothing waits for them: their ends are looked
// for a few times a second while any runs, and a program still running when this one ends
// goes on by itself.
#pragma once

#include <sys/types.h>

#include <QObject>
#include <QTimer>
#include <vector>

#include "platform/system/ProcessStarter.h"

class TDetachedStarter final : public QObject, public IProcessStarter {
 public:
  TDetachedStarter();

  void Start(const TProcessStart& start, std::function<void(int status)> ended) override;

 private:
  struct Child {
    pid_t pid;
    std::function<void(int status)> ended;
  };
  void ReapEnded();

  std::vector<Child> children_;
  QTimer poll_;
};
