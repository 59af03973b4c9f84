#include "config/IniFileIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>

#include "config/BigIni.h"
#include "platform/system/AtomicFile.h"

namespace {

[[noreturn]] void Fail(const char* verb, const std::string& path, int error) {
  throw TIniFileError(std::string("Cannot ") + verb + " \"" + path + "\": " + std::strerror(error));
}

}  // namespace

std::optional<std::string> ReadIniBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    Fail("read", path, errno);
  }
  const std::unique_ptr<const int, void (*)(const int*)> closer(&fd, [](const int* open) { ::close(*open); });
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail("read", path, errno);
    if (got == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

void WriteIniBytesAtomically(const std::string& path, std::string_view bytes) {
  try {
    WriteFileAtomically(path, bytes);
  } catch (const std::system_error& error) {
    Fail("write", path, error.code().value());
  }
}
