#include "platform/system/ProgramPath.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace {
std::string gProgramPath;
}

std::string OwnExecutablePath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  return length > 0 && static_cast<size_t>(length) < sizeof path ? std::string(path, static_cast<size_t>(length))
                                                                 : std::string();
}

void TakeProgramPath() {
  const char* given = std::getenv(kProgramPathVariable);
  gProgramPath = given && *given ? std::string(given) : OwnExecutablePath();
  ::unsetenv(kProgramPathVariable);
}

const std::string& ProgramPath() { return gProgramPath; }
