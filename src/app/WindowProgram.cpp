#include "app/WindowProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/TerminationSignals.h"
#include "platform/system/ProgramPath.h"

std::string WindowProgramFor(const std::string& frontEnd) {
  const std::string beside = std::filesystem::path(frontEnd).replace_filename("../libexec/tesserine/tesserine");
  if (::access(beside.c_str(), X_OK) == 0) return beside;
  if (::access(TESSERINE_BUILT_WINDOW_PROGRAM, X_OK) == 0) return TESSERINE_BUILT_WINDOW_PROGRAM;
  return {};
}

namespace {

// The argument the window program reads for start; null for a plain start.
const char* WindowStartArgument(WindowStart start) {
  switch (start) {
    case WindowStart::Show:
      return "--show";
    case WindowStart::Login:
      return "--login";
    case WindowStart::Command:
      return kOneCommandArgument;
    case WindowStart::Plain:
      break;
  }
  return nullptr;
}

}  // namespace

int RunWindowProgram(WindowStart start, const std::vector<const char*>& commandArguments) {
  const std::string frontEnd = OwnExecutablePath();
  const std::string program = WindowProgramFor(frontEnd);
  if (program.empty()) {
    std::fprintf(stderr, "tesserine: the window program is missing beside %s\n", frontEnd.c_str());
    return 1;
  }
  ::setenv(kProgramPathVariable, frontEnd.c_str(), 1);
  TTerminationSignals::HoldBack();
  std::vector<const char*> arguments{program.c_str(), WindowStartArgument(start)};
  if (arguments.back()) arguments.insert(arguments.end(), commandArguments.begin(), commandArguments.end());
  arguments.push_back(nullptr);
  ::execv(program.c_str(), const_cast<char* const*>(arguments.data()));
  std::fprintf(stderr, "tesserine: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
  return 1;
}
