#include "platform/system/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

[[noreturn]] void Fail(int error) { throw std::system_error(error, std::generic_category()); }

// The temporary file being written: closed, and removed unless renamed into place.
class TemporaryFile {
 public:
  TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Keep() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

std::string ResolveSymbolicLinks(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) break;
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target.string() : (std::filesystem::path(path).parent_path() / target).string();
  }
  return path;
}

mode_t ModeForNewFile() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void SyncFolderOf(const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveSymbolicLinks(path);
  const std::filesystem::path targetPath(target);
  std::string pattern = (targetPath.parent_path() / ("." + targetPath.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) Fail(errno);
  TemporaryFile temporary(fd, pattern);

  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : ModeForNewFile();
  if (!WriteAll(temporary.Fd(), bytes) || ::fchmod(temporary.Fd(), mode) != 0 || ::fsync(temporary.Fd()) != 0 ||
      !temporary.Close()) {
    Fail(errno);
  }
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) Fail(errno);
  temporary.Keep();
  SyncFolderOf(target);
}
