// What every fuzz target shares: a private temporary folder that also serves as HOME and
// the XDG folders (so no target touches the user's files), an offscreen QApplication, and
// the input written to a file there for the code under test that only reads files.
#pragma once

#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class QApplication;

class FuzzWorkspace {
 public:
  // The one workspace of the process, made on first use.
  static FuzzWorkspace& Get();
  ~FuzzWorkspace();

  // The folder's path, ending in "/".
  const std::string& Folder() const { return folder_; }
  // Writes bytes to the file name in the folder (replacing it) and returns its path.
  std::string Write(const std::string& name, const std::uint8_t* data, std::size_t size) const;
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  FuzzWorkspace();

  QTemporaryDir dir_;
  std::string folder_;
  std::unique_ptr<QApplication> app_;
};

// Ends the run with a crash libFuzzer records when an expectation about the code under test
// does not hold.
void FuzzRequire(bool condition, const char* what);
