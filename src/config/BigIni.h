// TBigIniFile: an INI file read once and kept in memory, written back only when changed.
//
// Data flow: the constructor reads the file's bytes and splits them into sections of
// whole lines; lookups and writes work on that memory only (indexed by case-folded
// section and key, first match wins); UpdateFile builds the text again (CR LF line ends)
// and replaces the file atomically. Text is bytes: invalid UTF-8 is kept unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reading an existing file or writing the file failed; the text names the file and why.
class TIniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TBigIniFile {
 public:
  // Loads fileName when it exists (a missing file gives an empty object); throws
  // TIniFileError when the file exists but cannot be read.
  explicit TBigIniFile(std::string fileName);
  // Holds text as if it had been read from fileName, which is not read; UpdateFile writes
  // there (an empty fileName is never written).
  TBigIniFile(std::string fileName, std::string_view text);
  // Writes the file if modified; a failure here is swallowed (there is no caller left).
  ~TBigIniFile();
  TBigIniFile(const TBigIniFile&) = delete;
  TBigIniFile& operator=(const TBigIniFile&) = delete;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultText) const;
  // Throws TIniFileError instead of storing a text that would not read back as written
  // (a line break or NUL in any of the three, or a key line that looks like "[...]").
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void ReadSection(std::string_view section, std::vector<std::string>& keys) const;
  void ReadSectionValues(std::string_view section, std::vector<std::string>& lines) const;
  void EraseSection(std::string_view section);
  // Removes key, and any later line of the same key, from the first section of that name.
  void DeleteKey(std::string_view section, std::string_view key);
  // DeleteKey for several keys, in one pass over the section.
  void DeleteKeys(std::string_view section, const std::vector<std::string>& keys);
  // EraseSection on every section of that name, not only the first, so that a later section
  // of the same name cannot take the emptied one's place when the file is read again.
  void EraseAllSections(std::string_view section);
  // Writes the file when modified; throws TIniFileError and keeps the modified flag on failure.
  void UpdateFile();

  bool Modified() const;
  const std::string& FileName() const;
  // The file text UpdateFile would write.
  std::string FileText() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
