// Fuzzes TBigIniFile, in memory but for UpdateFile. The input is the file's text: it is
// loaded, every section it names is looked up key by key, the text built back must load as
// the same text, and then a series of writes of every kind, chosen by the input's last
// bytes, must each read back as written and set the modified flag whenever the text changed;
// the text they leave must survive UpdateFile unchanged. The file is written once an input
// at most, at the end (and by a write that erases a section, which saves at once): the
// file's system calls are the same for any text, and writing it at random steps made them a
// large share of each input's time.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzWorkspace.h"
#include "config/BigIni.h"
#include "config/IniCaseFold.h"
#include "config/IniText.h"

namespace {

constexpr std::string_view kMissing = "\x01missing\x01";

struct Texts {
  std::vector<std::string> sections;
  std::vector<std::string> keys;
  std::vector<std::string> values;
};

// Each section's keys and lines agree, and each key finds the first line that has it.
void CheckLookups(const TBigIniFile& ini, const std::string& section, Texts& texts) {
  std::vector<std::string> keys;
  std::vector<std::string> lines;
  ini.ReadSection(section, keys);
  ini.ReadSectionValues(section, lines);
  FuzzRequire(keys.size() == lines.size(), "ReadSection and ReadSectionValues list the same lines");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    FuzzRequire(keys[i] == IniLineKey(lines[i]).value_or(""), "ReadSection gives each line's key");
    if (keys[i].empty()) continue;
    const std::string fold = IniCaseFold(keys[i]);
    const auto first = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
      const auto key = IniLineKey(line);
      return key && IniCaseFold(*key) == fold;
    });
    const std::string value = first->substr(first->find('=') + 1);
    FuzzRequire(ini.ReadString(section, keys[i], kMissing) == value, "a key reads the first line that has it");
    ini.ReadInteger(section, keys[i], 0);
    ini.ReadBool(section, keys[i], true);
    texts.keys.push_back(keys[i]);
    texts.values.push_back(value);
  }
}

void CheckTextReadsBack(const TBigIniFile& ini) {
  const std::string text = ini.FileText();
  const TBigIniFile back("", text);
  FuzzRequire(back.FileText() == text, "the file text reads back as the same text");
  FuzzRequire(!back.Modified(), "a loaded file is not modified");
}

bool Storable(const std::string& section, const std::string& key, const std::string& value) {
  const auto broken = [](const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != text.npos; };
  if (broken(section) || broken(key) || broken(value)) return false;
  return !(key.starts_with('[') && value.ends_with(']'));
}

const std::string& Pick(FuzzedDataProvider& choice, const std::vector<std::string>& pool) {
  return pool[choice.ConsumeIntegralInRange<std::size_t>(0, pool.size() - 1)];
}

void WriteText(TBigIniFile& ini, const std::string& section, const std::string& key, const std::string& value) {
  const std::string before = ini.FileText();
  const bool wasModified = ini.Modified();
  try {
    ini.WriteString(section, key, value);
  } catch (const TIniFileError&) {
    FuzzRequire(!key.empty() && !Storable(section, key, value), "only a text that would not read back is refused");
    FuzzRequire(ini.FileText() == before && ini.Modified() == wasModified, "a refused write changes nothing");
    return;
  }
  FuzzRequire(key.empty() || Storable(section, key, value), "a text that would not read back is refused");
  if (ini.FileText() != before) FuzzRequire(ini.Modified(), "a write that changes the text sets the modified flag");
  if (key.empty()) {
    std::vector<std::string> lines;
    ini.ReadSectionValues(section, lines);
    if (!section.empty() || !value.empty()) FuzzRequire(lines.empty(), "a write without a key erases the section");
    return;
  }
  // The text format splits a key at its first "=", so such a key cannot be read back.
  if (key.find('=') == std::string::npos)
    FuzzRequire(ini.ReadString(section, key, kMissing) == value, "a written text reads back");
}

void RunWrites(TBigIniFile& ini, FuzzedDataProvider& choice, const Texts& texts) {
  for (int step = 0; step < 24 && choice.remaining_bytes() > 0; ++step) {
    const std::string& section = Pick(choice, texts.sections);
    const std::string& key = Pick(choice, texts.keys);
    const std::string& value = Pick(choice, texts.values);
    switch (choice.ConsumeIntegralInRange(0, 3)) {
      case 0:
        WriteText(ini, section, key, value);
        break;
      case 1: {
        const auto number = choice.ConsumeIntegral<std::int32_t>();
        if (key.empty() || key.find('=') != std::string::npos || !Storable(section, key, "")) break;
        ini.WriteInteger(section, key, number);
        FuzzRequire(ini.ReadInteger(section, key, number ^ 1) == number, "a written integer reads back");
        break;
      }
      case 2: {
        const bool flag = choice.ConsumeBool();
        if (key.empty() || key.find('=') != std::string::npos || !Storable(section, key, "")) break;
        ini.WriteBool(section, key, flag);
        FuzzRequire(ini.ReadBool(section, key, !flag) == flag, "a written boolean reads back");
        break;
      }
      default: {
        const bool everywhere = choice.ConsumeBool();
        everywhere ? ini.EraseAllSections(section) : ini.EraseSection(section);
        std::vector<std::string> keys;
        ini.ReadSection(section, keys);
        FuzzRequire(keys.empty(), "an erased section has no keys");
        if (!everywhere) break;
        TBigIniFile("", ini.FileText()).ReadSection(section, keys);
        FuzzRequire(keys.empty(), "no section of an erased name comes back");
        break;
      }
    }
  }
}

void CheckUpdateFile(TBigIniFile& ini) {
  // An unchanged text is not written: the file then holds what an earlier input saved.
  const std::string text = ini.FileText();
  const bool changed = ini.Modified();
  ini.UpdateFile();
  FuzzRequire(!ini.Modified(), "UpdateFile clears the modified flag");
  if (changed) FuzzRequire(TBigIniFile(ini.FileName()).FileText() == text, "UpdateFile writes the file text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TBigIniFile ini(FuzzWorkspace::Get().Folder() + "input.ini", bytes);
  FuzzRequire(!ini.Modified(), "a loaded file is not modified");

  Texts texts{{"", "Info", "Bitmaps", "info", "\xC3\x84", "a]b"},
              {"", "Key", "key", "a=b", "[x", "LastImageNm", "\xC3\xA4"},
              {"", "0x1F", "-2147483648", "y]", "v=w", std::string("\0", 1), "\r\n", "\xFF"}};
  for (const std::string_view line : SplitIniLines(bytes))
    if (const auto name = IniSectionName(line)) texts.sections.emplace_back(*name);
  for (std::size_t i = 6; i < texts.sections.size(); ++i) CheckLookups(ini, texts.sections[i], texts);
  CheckTextReadsBack(ini);

  FuzzedDataProvider choice(data, size);
  RunWrites(ini, choice, texts);
  CheckTextReadsBack(ini);
  CheckUpdateFile(ini);
  return 0;
}
