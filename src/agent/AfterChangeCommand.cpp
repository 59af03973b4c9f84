#include "agent/AfterChangeCommand.h"

#include <stdexcept>

std::optional<TProcessStart> AfterChangeStart(const std::string& command, const std::vector<std::string>& pictures) {
  if (command.find_first_not_of(" \t") == std::string::npos || pictures.empty() || pictures.front().empty())
    return std::nullopt;
  std::string lines;
  for (const std::string& picture : pictures) lines += (lines.empty() ? "" : "\n") + picture;
  return TProcessStart{"/bin/sh", {"-c", command, "tesserine", pictures.front()}, {{"TESSERINE_PICTURES", lines}}};
}

TAfterChangeCommand::TAfterChangeCommand(IProcessStarter& starter, std::function<void(const std::string& why)> tell)
    : starter_(starter), tell_(std::move(tell)) {}

void TAfterChangeCommand::Run(const std::string& command, const std::vector<std::string>& pictures) {
  const std::optional<TProcessStart> start = AfterChangeStart(command, pictures);
  if (!start) return;
  try {
    starter_.Start(*start, [self = std::weak_ptr<TAfterChangeCommand*>(self_), command](int status) {
      if (const auto alive = self.lock()) (*alive)->Ended(command, status);
    });
  } catch (const std::runtime_error& error) {
    Failed("The command after a change could not start (" + std::string(error.what()) + "): " + command);
  }
}

void TAfterChangeCommand::Ended(const std::string& command, int status) {
  if (status == 0)
    failing_ = false;
  else
    Failed("The command after a change ended with status " + std::to_string(status) + ": " + command);
}

void TAfterChangeCommand::Failed(const std::string& why) {
  if (failing_) return;
  failing_ = true;
  tell_(why);
}
