// The command the settings run after each change that shows another picture: through
// "/bin/sh -c", with "$0" "tesserine", "$1" the primary monitor's picture (the file in the
// list, never the converted bitmap) and every monitor's picture, the primary's first, one per
// line, in TESSERINE_PICTURES. It is never waited on: a change while the last command still
// runs starts another. A command that cannot start or ends with a status other than 0 is told
// once; the next one that succeeds ends that run of failures, as a change's failures are told.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/ProcessStarter.h"

// What runs for command after a change that shows pictures (the primary monitor's first);
// nullopt for a command of blanks only, or without a picture.
std::optional<TProcessStart> AfterChangeStart(const std::string& command, const std::vector<std::string>& pictures);

class TAfterChangeCommand {
 public:
  // tell gets the failure's description.
  TAfterChangeCommand(IProcessStarter& starter, std::function<void(const std::string& why)> tell);

  void Run(const std::string& command, const std::vector<std::string>& pictures);

 private:
  void Ended(const std::string& command, int status);
  void Failed(const std::string& why);

  IProcessStarter& starter_;
  std::function<void(const std::string& why)> tell_;
  bool failing_ = false;
  // The starter may outlive this object: a command that ends later finds it gone.
  std::shared_ptr<TAfterChangeCommand*> self_ = std::make_shared<TAfterChangeCommand*>(this);
};
