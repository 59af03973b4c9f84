#include "agent/ChangeHistory.h"

#include <fstream>
#include <sstream>

#include "platform/system/AtomicFile.h"
#include "platform/system/PathParts.h"

namespace {

bool Keepable(const THistoryStep& step) {
  if (step.empty()) return false;
  for (const std::string& file : step)
    if (file.empty() || file.find_first_of("\t\r\n") != std::string::npos) return false;
  return true;
}

bool AllUsable(const THistoryStep& step, const TUsablePicture& usable) {
  for (const std::string& file : step)
    if (!usable(file)) return false;
  return true;
}

}  // namespace

void TChangeHistory::Record(const THistoryStep& step) {
  if (!Keepable(step)) return;
  // The same pictures again (a new method, an Apply of the entry shown) are no new step back.
  if (!steps_.empty() && steps_[position_] == step) return;
  if (!steps_.empty()) steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, steps_.end());
  steps_.push_back(step);
  if (steps_.size() > kLimit) steps_.erase(steps_.begin(), steps_.end() - kLimit);
  position_ = steps_.size() - 1;
}

std::optional<std::size_t> TChangeHistory::Usable(std::size_t from, int direction, const TUsablePicture& usable) const {
  if (steps_.empty()) return std::nullopt;
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(from) + direction;
       i >= 0 && i < static_cast<std::ptrdiff_t>(steps_.size()); i += direction)
    if (AllUsable(steps_[i], usable)) return static_cast<std::size_t>(i);
  return std::nullopt;
}

std::optional<THistoryStep> TChangeHistory::Back(const TUsablePicture& usable) {
  const std::optional<std::size_t> found = Usable(position_, -1, usable);
  if (!found) return std::nullopt;
  position_ = *found;
  return steps_[position_];
}

std::optional<THistoryStep> TChangeHistory::Forward(const TUsablePicture& usable) {
  const std::optional<std::size_t> found = Usable(position_, 1, usable);
  if (!found) return std::nullopt;
  position_ = *found;
  return steps_[position_];
}

bool TChangeHistory::CanGoBack(const TUsablePicture& usable) const { return Usable(position_, -1, usable).has_value(); }

std::string TChangeHistory::Text() const {
  std::string text;
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    text += i == position_ ? '=' : '-';
    for (const std::string& file : steps_[i]) text += '\t' + file;
    text += '\n';
  }
  return text;
}

TChangeHistory TChangeHistory::FromText(const std::string& text) {
  TChangeHistory history;
  std::istringstream lines(text);
  std::string line;
  std::optional<std::size_t> shown;
  while (std::getline(lines, line)) {
    if (line.size() < 3 || (line[0] != '=' && line[0] != '-') || line[1] != '\t') continue;
    THistoryStep step;
    std::size_t start = 2;
    while (true) {
      const std::size_t tab = line.find('\t', start);
      step.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    if (!Keepable(step)) continue;
    history.steps_.push_back(step);
    if (line[0] == '=') shown = history.steps_.size() - 1;
  }
  if (history.steps_.size() > kLimit) {
    const std::size_t dropped = history.steps_.size() - kLimit;
    history.steps_.erase(history.steps_.begin(), history.steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
    shown = shown && *shown >= dropped ? std::optional<std::size_t>(*shown - dropped) : std::nullopt;
  }
  if (!history.steps_.empty()) history.position_ = shown.value_or(history.steps_.size() - 1);
  return history;
}

std::string TChangeHistory::FileNameFor(const std::string& configFileName) {
  const std::string name = FileNamePart(configFileName);
  const std::size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return configFileName.substr(0, configFileName.size() - name.size()) + stem + ".history";
}

bool TChangeHistory::LoadFrom(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *this = TChangeHistory();
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  *this = FromText(text.str());
  return true;
}

bool TChangeHistory::SaveTo(const std::string& path) const {
  try {
    WriteFileAtomically(path, Text());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
