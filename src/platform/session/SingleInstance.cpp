#include "platform/session/SingleInstance.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (runtime && *runtime && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) return runtime;
  const std::string folder = "/tmp/tesserine-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  // A folder someone else made (or a link planted there) must not hold our lock.
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return {};
  return folder;
}

// The whole file, as one write lock.
struct flock WholeFile(short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  return lock;
}

}  // namespace

TSingleInstance::~TSingleInstance() {
  if (fd_ >= 0) ::close(fd_);
}

std::string TSingleInstance::DisplayKey(std::string_view x11Display, std::string_view waylandDisplay,
                                        std::string_view runtimeDir) {
  if (!waylandDisplay.empty()) {
    while (runtimeDir.size() > 1 && runtimeDir.back() == '/') runtimeDir.remove_suffix(1);
    if (!runtimeDir.empty() && waylandDisplay.size() > runtimeDir.size() + 1 &&
        waylandDisplay.starts_with(runtimeDir) && waylandDisplay[runtimeDir.size()] == '/')
      waylandDisplay.remove_prefix(runtimeDir.size() + 1);
    return std::string(waylandDisplay);
  }
  if (x11Display.empty()) return "none";
  const std::size_t colon = x11Display.rfind(':');
  if (colon == std::string_view::npos) return std::string(x11Display);
  std::string_view host = x11Display.substr(0, colon);
  if (host == "unix") host = {};
  std::string_view number = x11Display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  return std::string(host) + ':' + std::string(number);
}

std::string TSingleInstance::CurrentDisplay() {
  const auto value = [](const char* name) {
    const char* text = std::getenv(name);
    return std::string_view(text ? text : "");
  };
  return DisplayKey(value("DISPLAY"), value("WAYLAND_DISPLAY"), value("XDG_RUNTIME_DIR"));
}

std::string TSingleInstance::LockPath(const std::string& display) {
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return {};
  std::string name = display;
  for (char& c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-')) c = '_';
  return folder + "/tesserine-" + name + ".lock";
}

bool TSingleInstance::TryAcquire(const std::string& display) {
  if (fd_ >= 0) return true;
  const std::string path = LockPath(display);
  if (path.empty()) return true;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;
  struct flock lock = WholeFile(F_WRLCK);
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    const bool held = errno == EAGAIN || errno == EACCES;
    ::close(fd);
    return !held;
  }
  fd_ = fd;
  return true;
}

bool TSingleInstance::IsHeld(const std::string& display) {
  const std::string path = LockPath(display);
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  struct flock lock = WholeFile(F_WRLCK);
  const bool asked = ::fcntl(fd, F_OFD_GETLK, &lock) == 0;
  ::close(fd);
  return asked && lock.l_type != F_UNLCK;
}
