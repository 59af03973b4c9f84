// Fuzzes the configuration's load and save below the window, in memory: each input is the
// text of a TBigIniFile without a file. It is loaded as IniLoad loads it (the settings through
// TInfoReader and the value rules of ConfigValues, the list through LoadBitmaps and
// ReadStoredDisp) and saved into the same object as SaveClick saves it (WriteSettings,
// SaveBitmaps). Loading what was saved and saving that again must give the same lines: a load
// keeps what a save wrote.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzWorkspace.h"
#include "agent/AgentState.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/ConfigValues.h"
#include "config/IniCaseFold.h"
#include "config/SettingsIo.h"
#include "imagelist/ImageList.h"
#include "imagelist/ListFile.h"

namespace {

// The item a "Default Display" box selects for a text: the first code equal to it in any
// letter case, else the box's first item, which a freshly made box shows.
int DispCodeItem(const std::string& text) {
  for (int code = 0; code < DispObjCount; ++code)
    if (IniCaseFold(DispText(ToDispObj(code))) == IniCaseFold(text)) return code;
  return 0;
}

// A setting as the window keeps it after a load: the enumerated texts and the number fields
// pass through their value rules, "Except:Enabled" is never read.
TKeyValue LoadedSetting(const TInfoReader& info, const ConfigKey& key) {
  switch (key.id) {
    case InfoKeyId::DisplayOrder:
      return std::string(DisplayOrderText(ParseDisplayOrder(info.Text(key))));
    case InfoKeyId::TriggerMeasure:
      return std::string(TriggerMeasureText(static_cast<int>(ParseTriggerMeasure(info.Text(key)))));
    case InfoKeyId::Monitors:
      return std::string(MonitorModeText(ParseMonitorMode(info.Text(key))));
    case InfoKeyId::DefaultDisplay:
    case InfoKeyId::ExceptDefaultDisplay:
      return std::string(DispText(ToDispObj(DispCodeItem(info.Text(key)))));
    case InfoKeyId::AutoCloseMinutes:
    case InfoKeyId::ExceptWidth:
    case InfoKeyId::ExceptHeight:
      return ClampUpDown(info.Integer(key));
    case InfoKeyId::TriggerQty: {
      const std::int32_t quantity = ClampUpDown(info.Integer(key));
      return quantity == 0 ? 1 : quantity;
    }
    case InfoKeyId::SysTrayClick:
      return static_cast<std::int32_t>(TrayClickActionAt(info.Integer(key)));
    case InfoKeyId::ExceptEnabled:
      return key.defaultInt != 0;
    default:
      break;
  }
  switch (key.type) {
    case KeyType::Integer:
      return info.Integer(key);
    case KeyType::Bool:
      return info.Bool(key);
    default:
      return info.Text(key);
  }
}

struct LoadedConfig {
  std::array<TKeyValue, InfoKeys.size()> settings;
  bool randomCycle = false;
  int defDispIndex = 0;
  TImageList list;

  const TKeyValue& Setting(const ConfigKey& key) const { return settings[static_cast<std::size_t>(key.id)]; }

  TDispReader Reader(const TBigIniFile& ini) const {
    return [this, &ini](const std::string& fileName, const std::string& storedValue) {
      return ReadStoredDisp(ini, fileName, storedValue, randomCycle, DefDispObj(defDispIndex));
    };
  }

  void Load(const TBigIniFile& ini) {
    const TInfoReader info(ini, {"/home/fuzz/Pictures", "/opt/tesserine", 46000.0});
    for (const ConfigKey* key : InfoKeys)
      if (key->role == KeyRole::Setting) settings[static_cast<std::size_t>(key->id)] = LoadedSetting(info, *key);
    // The state keys are read as IniLoad reads them, for their conversions; a save leaves
    // their lines alone.
    info.Integer(InfoKey::ExecSinceChg);
    info.Text(InfoKey::LastImageNm);
    info.Text(InfoKey::LastDispStr);
    info.DateTime(InfoKey::LastChgDateTime);
    randomCycle = std::get<std::string>(Setting(InfoKey::DisplayOrder)) == DisplayOrderText(DisplayOrder::RandomCycle);
    defDispIndex = DispCodeItem(std::get<std::string>(Setting(InfoKey::DefaultDisplay)));
    list.SetSorted(std::get<bool>(Setting(InfoKey::SortImages)));
    list.BeginUpdate();
    LoadBitmaps(list, ini, Reader(ini), [] {});
    list.EndUpdate();
  }

  void Save(TBigIniFile& ini) const {
    WriteSettings(ini, [this](const ConfigKey& key) { return Setting(key); });
    SaveBitmaps(
        ini, list, randomCycle, [this](DispObj code) { return DispObjToStr(code, {}, DefDispStr(defDispIndex)); },
        Reader(ini), [] { FuzzRequire(false, "every entry a load gives has its method"); });
  }
};

// Loads bytes as the configuration and saves it over them; returns the text saved.
std::string LoadAndSave(const std::string& bytes) {
  TBigIniFile ini("", bytes);
  LoadedConfig loaded;
  loaded.Load(ini);
  loaded.Save(ini);
  return ini.FileText();
}

// The lines of a file text in byte order. With "SortImages", two names that differ only in
// letter case share one line whose place follows the first of them, so a list sorted again
// after the next load may write its lines in another order; only the lines must not change.
std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = std::min(text.find("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string saved = LoadAndSave(std::string(reinterpret_cast<const char*>(data), size));
  const std::string again = LoadAndSave(saved);
  const bool same = again == saved || SortedLines(again) == SortedLines(saved);
  if (!same) std::fprintf(stderr, "Saved:\n%s\nSaved again:\n%s\n", saved.c_str(), again.c_str());
  FuzzRequire(same, "loading and saving a saved configuration keeps every line");
  return 0;
}
