#include "config/IniSection.h"

#include "config/IniCaseFold.h"
#include "config/IniText.h"

namespace {
constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
}

IniSection::IniSection(std::string name) : name_(std::move(name)) {}

std::size_t IniSection::FindIndex(std::string_view key) const {
  const auto found = firstLineOfKey_.find(IniCaseFold(key));
  return found == firstLineOfKey_.end() ? kNoLine : found->second;
}

const std::string* IniSection::FindLine(std::string_view key) const {
  const std::size_t index = FindIndex(key);
  return index == kNoLine ? nullptr : &lines_[index];
}

bool IniSection::Write(std::string_view key, std::string_view value) {
  std::string line = std::string(key).append("=").append(value);
  const std::size_t index = FindIndex(key);
  if (index == kNoLine) {
    Append(std::move(line));
    return true;
  }
  if (lines_[index] == line) return false;
  lines_[index] = std::move(line);
  return true;
}

void IniSection::Append(std::string line) {
  if (const auto key = IniLineKey(line)) firstLineOfKey_.emplace(IniCaseFold(*key), lines_.size());
  lines_.push_back(std::move(line));
}

bool IniSection::Remove(std::string_view key) {
  if (FindIndex(key) == kNoLine) return false;
  const std::string fold = IniCaseFold(key);
  std::vector<std::string> kept;
  for (std::string& line : lines_) {
    const auto lineKey = IniLineKey(line);
    if (!lineKey || IniCaseFold(*lineKey) != fold) kept.push_back(std::move(line));
  }
  Clear();
  for (std::string& line : kept) Append(std::move(line));
  return true;
}

void IniSection::Clear() {
  lines_.clear();
  firstLineOfKey_.clear();
}
