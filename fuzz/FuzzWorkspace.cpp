#include "FuzzWorkspace.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "support/PrivateHome.h"

namespace {

// Prefer memory-backed storage for the files the targets still write.
QString TemporaryRoot() {
  const QFileInfo shm("/dev/shm");
  return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

}  // namespace

FuzzWorkspace& FuzzWorkspace::Get() {
  static FuzzWorkspace workspace;
  return workspace;
}

FuzzWorkspace::FuzzWorkspace() : dir_(TemporaryRoot() + "/tesserine-fuzz-XXXXXX") {
  FuzzRequire(dir_.isValid(), "the temporary folder could not be made");
  folder_ = QFile::encodeName(dir_.path()).toStdString() + "/";
  PointHomeAt(dir_.path());
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("GSETTINGS_BACKEND", "memory", 1);
  static int argc = 1;
  static char name[] = "tesserine-fuzz";
  static char* argv[] = {name, nullptr};
  app_ = std::make_unique<QApplication>(argc, argv);
  // Qt's readers warn about every odd palette index; millions of inputs would drown the log.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

FuzzWorkspace::~FuzzWorkspace() = default;

std::string FuzzWorkspace::Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
  const std::string path = folder_ + name;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  FuzzRequire(fd >= 0, "the input file could not be created");
  std::size_t done = 0;
  while (done < size) {
    const ssize_t wrote = ::write(fd, data + done, size - done);
    FuzzRequire(wrote > 0, "the input file could not be written");
    done += static_cast<std::size_t>(wrote);
  }
  ::close(fd);
  return path;
}

std::string FuzzWorkspace::Write(const std::string& name, const std::string& bytes) const {
  return Write(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void FuzzRequire(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "Expectation failed: %s\n", what);
  std::abort();
}
