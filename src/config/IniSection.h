// One section of an INI file: its name and its lines in file order, with an index from
// each case-folded key to the first line that has it, so lookups need no scan.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniSection {
 public:
  explicit IniSection(std::string name);

  const std::string& Name() const { return name_; }
  const std::vector<std::string>& Lines() const { return lines_; }

  // The first line whose key matches key case-insensitively, or nullptr.
  const std::string* FindLine(std::string_view key) const;
  // Puts key "=" value into the first line with a matching key, or appends it as a new
  // line. Returns whether the section's text changed.
  bool Write(std::string_view key, std::string_view value);
  void Append(std::string line);
  // Removes every line whose key matches key case-insensitively, so that no later duplicate
  // takes the removed one's place. Returns whether the section's text changed.
  bool Remove(std::string_view key);
  // The same for several keys in one pass over the section.
  bool Remove(const std::vector<std::string>& keys);
  void Clear();

 private:
  std::size_t FindIndex(std::string_view key) const;

  std::string name_;
  std::vector<std::string> lines_;
  struct KeyLines {
    std::size_t first;  // the first line with the key
    std::size_t count;  // how many lines have it
  };
  // Folded key to its place in keyLines_, which holds the line numbers side by side so that
  // shifting them after a removal is one pass over plain memory.
  std::unordered_map<std::string, std::size_t> slotOfKey_;
  std::vector<KeyLines> keyLines_;
};
