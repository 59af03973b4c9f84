#include "picture/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "picture/PictureErrors.h"

int OpenPictureFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat facts {};
  if (fd >= 0 && ::fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode) &&
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
    return fd;
  if (fd >= 0) ::close(fd);
  throw TFileOpenError("Cannot open file \"" + path + "\"");
}

TPictureStream OpenPictureStream(const std::string& path) {
  const int fd = OpenPictureFile(path);
  TPictureStream file(fdopen(fd, "rb"));
  if (!file) {
    ::close(fd);
    throw TFileOpenError("Cannot open file \"" + path + "\"");
  }
  return file;
}
