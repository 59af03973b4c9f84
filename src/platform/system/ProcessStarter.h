// Starts programs that run beside this one, never waited on, and tells how each ended while
// this program still runs.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct TProcessStart {
  std::string program;
  // The arguments after the program's own name.
  std::vector<std::string> arguments;
  // Variables added to this program's environment.
  std::vector<std::pair<std::string, std::string>> environment;

  bool operator==(const TProcessStart&) const = default;
};

class IProcessStarter {
 public:
  virtual ~IProcessStarter() = default;
  // Starts the program; ended is told its exit status as a shell's "$?" gives it (128 plus the
  // signal's number for one a signal ended), later, from the event loop. Throws
  // std::runtime_error when it cannot start.
  virtual void Start(const TProcessStart& start, std::function<void(int status)> ended) = 0;
};
