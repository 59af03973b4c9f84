// A program starter that starts nothing: it records what it was asked to start, ends a
// start with the status a test gives, or refuses to start when told to.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/system/ProcessStarter.h"

class TRecordingStarter final : public IProcessStarter {
 public:
  void Start(const TProcessStart& start, std::function<void(int status)> ended) override {
    if (!refusal.empty()) throw std::runtime_error(refusal);
    starts.push_back(start);
    pending.push_back(std::move(ended));
  }

  // The oldest start still running ends with status.
  void EndOldest(int status) {
    const std::function<void(int)> ended = std::move(pending.front());
    pending.erase(pending.begin());
    ended(status);
  }

  std::vector<TProcessStart> starts;
  std::vector<std::function<void(int status)>> pending;
  // Not empty: every start throws it.
  std::string refusal;
};
