#include "app/LibexecPrograms.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/TerminationSignals.h"
#include "platform/system/ProgramPath.h"

std::string LibexecProgramFor(const std::string& frontEnd, const std::string& name) {
  const std::string beside = std::filesystem::path(frontEnd).replace_filename("../libexec/tesserine/" + name);
  if (::access(beside.c_str(), X_OK) == 0) return beside;
  const std::string built = std::string(TESSERINE_BUILT_PROGRAM_DIR "/") + name;
  if (::access(built.c_str(), X_OK) == 0) return built;
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
    case WindowStart::Plain:
      break;
  }
  return nullptr;
}

// Replaces this process by the program named name (what it is, for the error) with arguments
// after its own name.
int Become(const std::string& name, const char* what, const std::vector<const char*>& arguments) {
  const std::string frontEnd = OwnExecutablePath();
  const std::string program = LibexecProgramFor(frontEnd, name);
  if (program.empty()) {
    std::fprintf(stderr, "tesserine: %s is missing beside %s\n", what, frontEnd.c_str());
    return 1;
  }
  ::setenv(kProgramPathVariable, frontEnd.c_str(), 1);
  TTerminationSignals::HoldBack();
  std::vector<const char*> line{program.c_str()};
  line.insert(line.end(), arguments.begin(), arguments.end());
  line.push_back(nullptr);
  ::execv(program.c_str(), const_cast<char* const*>(line.data()));
  std::fprintf(stderr, "tesserine: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
  return 1;
}

}  // namespace

int RunWindowProgram(WindowStart start, const std::vector<const char*>& files) {
  std::vector<const char*> arguments;
  if (const char* argument = WindowStartArgument(start)) {
    arguments.push_back(argument);
    arguments.insert(arguments.end(), files.begin(), files.end());
  }
  return Become(kWindowProgramName, "the window program", arguments);
}

int RunCommandProgram(const std::vector<const char*>& commandArguments) {
  return Become(kCommandProgramName, "the command program", commandArguments);
}
