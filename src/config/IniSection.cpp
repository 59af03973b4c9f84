#include "config/IniSection.h"

#include <algorithm>

#include "config/IniCaseFold.h"
#include "config/IniText.h"

namespace {
constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
}

IniSection::IniSection(std::string name) : name_(std::move(name)) {}

std::size_t IniSection::FindIndex(std::string_view key) const {
  const auto found = slotOfKey_.find(IniCaseFold(key));
  return found == slotOfKey_.end() ? kNoLine : keyLines_[found->second].first;
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
  if (const auto key = IniLineKey(line)) {
    const auto [found, added] = slotOfKey_.try_emplace(IniCaseFold(*key), keyLines_.size());
    if (added)
      keyLines_.push_back({lines_.size(), 1});
    else
      ++keyLines_[found->second].count;
  }
  lines_.push_back(std::move(line));
}

bool IniSection::Remove(std::string_view key) { return Remove(std::vector<std::string>{std::string(key)}); }

// Only the lines of the removed keys are looked at (all of a key's lines from its first one
// when it has duplicates), and the kept keys' line numbers are shifted rather than folded
// again, so removing a few keys from a long section costs little more than one pass of moves.
bool IniSection::Remove(const std::vector<std::string>& keys) {
  std::vector<std::size_t> doomed;
  for (const std::string& key : keys) {
    const auto found = slotOfKey_.find(IniCaseFold(key));
    if (found == slotOfKey_.end()) continue;
    const std::size_t slot = found->second;
    const KeyLines lines = keyLines_[slot];
    doomed.push_back(lines.first);
    std::size_t duplicates = lines.count - 1;
    for (std::size_t i = lines.first + 1; duplicates > 0 && i < lines_.size(); ++i) {
      const auto lineKey = IniLineKey(lines_[i]);
      if (lineKey && IniCaseFold(*lineKey) == found->first) {
        doomed.push_back(i);
        --duplicates;
      }
    }
    slotOfKey_.erase(found);
    // The last slot moves into the freed one; its key is read from its first line, which
    // has not moved yet.
    if (slot + 1 != keyLines_.size()) {
      keyLines_[slot] = keyLines_.back();
      slotOfKey_[IniCaseFold(*IniLineKey(lines_[keyLines_[slot].first]))] = slot;
    }
    keyLines_.pop_back();
  }
  if (doomed.empty()) return false;
  std::sort(doomed.begin(), doomed.end());
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  for (KeyLines& lines : keyLines_) {
    const auto before = std::lower_bound(doomed.begin(), doomed.end(), lines.first) - doomed.begin();
    lines.first -= static_cast<std::size_t>(before);
  }
  std::size_t kept = 0;
  auto next = doomed.begin();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (next != doomed.end() && *next == i) {
      ++next;
      continue;
    }
    if (kept != i) lines_[kept] = std::move(lines_[i]);
    ++kept;
  }
  lines_.resize(kept);
  return true;
}

void IniSection::Clear() {
  lines_.clear();
  slotOfKey_.clear();
  keyLines_.clear();
}
