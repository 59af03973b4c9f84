#include "config/BigIni.h"

#include <unordered_map>
#include <utility>

#include "config/IniCaseFold.h"
#include "config/IniFileIo.h"
#include "config/IniInteger.h"
#include "config/IniSection.h"
#include "config/IniText.h"

namespace {

std::string Quoted(const std::string& fileName) { return "\"" + fileName + "\""; }

bool HasLineBreakOrNul(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

}  // namespace

struct TBigIniFile::Impl {
  std::string fileName;
  std::vector<IniSection> sections;
  std::unordered_map<std::string, std::size_t> firstSectionOfName;
  bool modified = false;

  const IniSection* Find(std::string_view name) const {
    const auto found = firstSectionOfName.find(IniCaseFold(name));
    return found == firstSectionOfName.end() ? nullptr : &sections[found->second];
  }
  IniSection* Find(std::string_view name) { return const_cast<IniSection*>(std::as_const(*this).Find(name)); }

  IniSection& Add(std::string_view name) {
    firstSectionOfName.emplace(IniCaseFold(name), sections.size());
    return sections.emplace_back(std::string(name));
  }

  void Load(std::string_view bytes) {
    IniSection* current = nullptr;
    for (const std::string_view line : SplitIniLines(bytes)) {
      if (const auto name = IniSectionName(line)) {
        current = &Add(*name);
      } else if (current) {
        current->Append(std::string(line));
      }
    }
  }

  // A text that would not read back as the same line is refused rather than written.
  void CheckStorable(std::string_view section, std::string_view key, std::string_view value) const {
    const auto refuse = [&](const char* why) {
      throw TIniFileError("Cannot store the key \"" + std::string(key) + "\" of section \"" + std::string(section) +
                          "\" in " + Quoted(fileName) + ": " + why);
    };
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
      refuse("the text contains a line break or a NUL character");
    }
    if (key.starts_with('[') && value.ends_with(']')) refuse("the line would read back as a section header");
  }
};

TBigIniFile::TBigIniFile(std::string fileName)
    : TBigIniFile(fileName, fileName.empty() ? std::string() : ReadIniBytes(fileName).value_or(std::string())) {}

TBigIniFile::TBigIniFile(std::string fileName, std::string_view text) : impl_(std::make_unique<Impl>()) {
  impl_->fileName = std::move(fileName);
  impl_->Load(text);
}

TBigIniFile::~TBigIniFile() {
  try {
    UpdateFile();
  } catch (...) {
  }
}

std::string TBigIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultText) const {
  const IniSection* found = impl_->Find(section);
  const std::string* line = found ? found->FindLine(key) : nullptr;
  if (!line) return std::string(defaultText);
  return line->substr(line->find('=') + 1);
}

void TBigIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (key.empty()) {
    if (!section.empty() || !value.empty()) {
      EraseSection(section);
    } else {
      UpdateFile();
    }
    return;
  }
  impl_->CheckStorable(section, key, value);
  IniSection* found = impl_->Find(section);
  IniSection& target = found ? *found : impl_->Add(section);
  if (target.Write(key, value)) impl_->modified = true;
}

std::int32_t TBigIniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
  return IniValueToInt(ReadString(section, key, "")).value_or(defaultValue);
}

void TBigIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TBigIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TBigIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TBigIniFile::ReadSection(std::string_view section, std::vector<std::string>& keys) const {
  const IniSection* found = impl_->Find(section);
  if (!found) return;
  keys.reserve(keys.size() + found->Lines().size());
  for (const std::string& line : found->Lines()) keys.emplace_back(IniLineKey(line).value_or(std::string_view{}));
}

void TBigIniFile::ReadSectionValues(std::string_view section, std::vector<std::string>& lines) const {
  const IniSection* found = impl_->Find(section);
  if (!found) return;
  lines.insert(lines.end(), found->Lines().begin(), found->Lines().end());
}

void TBigIniFile::DeleteKey(std::string_view section, std::string_view key) {
  IniSection* found = impl_->Find(section);
  if (found && found->Remove(key)) impl_->modified = true;
}

void TBigIniFile::DeleteKeys(std::string_view section, const std::vector<std::string>& keys) {
  IniSection* found = impl_->Find(section);
  if (found && found->Remove(keys)) impl_->modified = true;
}

void TBigIniFile::EraseSection(std::string_view section) {
  IniSection* found = impl_->Find(section);
  if (!found) return;
  found->Clear();
  impl_->modified = true;
}

void TBigIniFile::EraseAllSections(std::string_view section) {
  const std::string fold = IniCaseFold(section);
  for (IniSection& each : impl_->sections) {
    if (IniCaseFold(each.Name()) != fold) continue;
    each.Clear();
    impl_->modified = true;
  }
}

void TBigIniFile::UpdateFile() {
  if (!impl_->modified || impl_->fileName.empty()) return;
  WriteIniBytesAtomically(impl_->fileName, FileText());
  impl_->modified = false;
}

bool TBigIniFile::Modified() const { return impl_->modified; }

const std::string& TBigIniFile::FileName() const { return impl_->fileName; }

std::string TBigIniFile::FileText() const {
  std::string text;
  for (const IniSection& section : impl_->sections) {
    if (section.Lines().empty()) continue;
    text.append("[").append(section.Name()).append("]\r\n");
    for (const std::string& line : section.Lines()) text.append(line).append("\r\n");
    text.append("\r\n");
  }
  return text;
}
